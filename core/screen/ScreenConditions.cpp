#include "ScreenConditions.h"

#include <cstdint>

namespace ScreenConditions {

namespace {

// The Night-light state value is a record in the compact binary form of a tagged
// serialisation (version 1): four bytes 43 42 01 00 (protocol 0x4243, version 1), then the
// fields of a struct. A field header byte holds the value type in its low 5 bits and the
// field id in its high 3 bits; ids 6 and 7 there mean the id follows in one byte or in two
// (little-endian). Integers are LEB128 varints (signed ones zigzagged), a struct runs until a
// STOP field, a list or set gives its element type and a varint count before its elements.
enum TType {
    kStop = 0, kStopBase = 1, kBool = 2, kUint8 = 3, kUint16 = 4, kUint32 = 5, kUint64 = 6,
    kFloat = 7, kDouble = 8, kString = 9, kStruct = 10, kList = 11, kSet = 12, kMap = 13,
    kInt8 = 14, kInt16 = 15, kInt32 = 16, kInt64 = 17, kWString = 18
};

// Records nest a few levels; a deeper one is not what we are looking for, and the limit keeps
// a hostile value from exhausting the stack.
constexpr int kMaxDepth = 16;

class TReader {
public:
    TReader(const unsigned char* Data, std::size_t Size) : FData(Data), FSize(Size) {}

    std::size_t Left() const { return FSize - FPos; }
    const unsigned char* Here() const { return FData + FPos; }

    bool Byte(unsigned& Value) {
        if (FPos >= FSize) return false;
        Value = FData[FPos++];
        return true;
    }
    bool Skip(std::uint64_t Count) {
        if (Count > Left()) return false;
        FPos += static_cast<std::size_t>(Count);
        return true;
    }
    // At most ten bytes: a 64-bit value; anything longer is not a varint of this form.
    bool Varint(std::uint64_t& Value) {
        Value = 0;
        for (int Shift = 0; Shift < 70; Shift += 7) {
            unsigned B;
            if (!Byte(B)) return false;
            Value |= static_cast<std::uint64_t>(B & 0x7F) << Shift;
            if (!(B & 0x80)) return true;
        }
        return false;
    }
    bool Magic() {
        static const unsigned char kMagic[4] = {0x43, 0x42, 0x01, 0x00};
        if (Left() < 4) return false;
        for (int I = 0; I < 4; ++I)
            if (FData[FPos + I] != kMagic[I]) return false;
        FPos += 4;
        return true;
    }

private:
    const unsigned char* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

bool StartsWithMagic(const unsigned char* Data, std::size_t Size) {
    TReader R(Data, Size);
    return R.Magic();
}

// Walks a record, checking every length against the bytes left; remembers the first byte
// list that holds a record of its own (the state proper sits inside such a list). Every value
// takes at least one byte, so a count larger than the bytes left is refused before any loop,
// and the work stays in proportion to the size.
class TWalker {
public:
    const unsigned char* Inner = nullptr;
    std::size_t InnerSize = 0;

    bool Struct(TReader& R, int Depth, bool* HasFieldZero = nullptr) {
        if (Depth > kMaxDepth) return false;
        for (;;) {
            unsigned B;
            if (!R.Byte(B)) return false;
            const int Type = static_cast<int>(B & 0x1F);
            unsigned Id = B >> 5;
            if (Id == 6) {
                if (!R.Byte(Id)) return false;
            } else if (Id == 7) {
                unsigned Low, High;
                if (!R.Byte(Low) || !R.Byte(High)) return false;
                Id = Low | (High << 8);
            }
            if (Type == kStop) return true;
            if (Type == kStopBase) continue;  // the base's fields end, the derived ones follow
            if (HasFieldZero && Id == 0) *HasFieldZero = true;
            if (!Value(R, Type, Depth)) return false;
        }
    }

private:
    bool Value(TReader& R, int Type, int Depth) {
        std::uint64_t N;
        unsigned B;
        switch (Type) {
        case kBool: case kUint8: case kInt8:
            return R.Byte(B);
        case kUint16: case kUint32: case kUint64: case kInt16: case kInt32: case kInt64:
            return R.Varint(N);
        case kFloat:
            return R.Skip(4);
        case kDouble:
            return R.Skip(8);
        case kString:
            return R.Varint(N) && R.Skip(N);
        case kWString:
            return R.Varint(N) && N <= R.Left() / 2 && R.Skip(N * 2);
        case kStruct:
            return Struct(R, Depth + 1);
        case kList: case kSet: {
            unsigned Element;
            if (!R.Byte(Element) || !R.Varint(N) || N > R.Left()) return false;
            if (Element == kInt8 || Element == kUint8) {
                if (!Inner && StartsWithMagic(R.Here(), static_cast<std::size_t>(N))) {
                    Inner = R.Here();
                    InnerSize = static_cast<std::size_t>(N);
                }
                return R.Skip(N);
            }
            for (std::uint64_t I = 0; I < N; ++I)
                if (!Value(R, static_cast<int>(Element), Depth + 1)) return false;
            return true;
        }
        case kMap: {
            unsigned Key, Item;
            if (!R.Byte(Key) || !R.Byte(Item) || !R.Varint(N) || N > R.Left() / 2) return false;
            for (std::uint64_t I = 0; I < N; ++I)
                if (!Value(R, static_cast<int>(Key), Depth + 1) ||
                    !Value(R, static_cast<int>(Item), Depth + 1))
                    return false;
            return true;
        }
        default:
            return false;
        }
    }
};

// The state record itself: on when it holds field 0 (an int32 that Windows writes only while
// Night light is on), off when the record is whole and lacks it.
TState StateRecord(const unsigned char* Data, std::size_t Size) {
    TReader R(Data, Size);
    if (!R.Magic()) return TState::Unknown;
    TWalker Walker;
    bool HasFieldZero = false;
    if (!Walker.Struct(R, 0, &HasFieldZero)) return TState::Unknown;
    return HasFieldZero ? TState::On : TState::Off;
}

// Older builds keep the state record directly after a 16-byte prologue (a version, a FILETIME
// and four zero bytes) instead of wrapping it in an outer record.
constexpr std::size_t kOldPrologue = 16;

}  // namespace

bool TConditions::UndoesInversion() const { return Filter == TState::On && FilterType == 1; }

TState NightLightFromBlob(const unsigned char* Data, std::size_t Size) {
    if (!Data) return TState::Unknown;
    if (!StartsWithMagic(Data, Size)) {
        if (Size > kOldPrologue && StartsWithMagic(Data + kOldPrologue, Size - kOldPrologue))
            return StateRecord(Data + kOldPrologue, Size - kOldPrologue);
        return TState::Unknown;
    }
    // The outer record: its header, a struct of metadata (a timestamp among them) and, nested
    // in it, a byte list holding the state record. The whole outer record must decode, so a
    // cut-off value is not taken for a whole one.
    TReader R(Data, Size);
    R.Magic();
    TWalker Walker;
    if (!Walker.Struct(R, 0) || !Walker.Inner) return TState::Unknown;
    return StateRecord(Walker.Inner, Walker.InnerSize);
}

std::vector<TCondition> Holding(const TConditions& C) {
    std::vector<TCondition> Result;
    if (C.Filter == TState::On)
        Result.push_back(C.UndoesInversion() ? TCondition::InversionUndone : TCondition::ColorFilter);
    if (C.MagnifierInvert == TState::On) Result.push_back(TCondition::MagnifierInvert);
    if (C.NightLight == TState::On) Result.push_back(TCondition::NightLight);
    if (C.Hdr == TState::On) Result.push_back(TCondition::Hdr);
    return Result;
}

}  // namespace ScreenConditions
