// Night light decoded from the bytes of its state value, and which of the conditions that
// alter the screen hold.
#include "screen/ScreenConditions.h"

#include "NightLightSamples.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ScreenConditions;
using namespace NightLightSamples;

TState Decode(const TBytes& B) { return NightLightFromBlob(B.data(), B.size()); }

const char* Name(TState S) {
    return S == TState::On ? "On" : S == TState::Off ? "Off" : "Unknown";
}

TEST(ScreenConditions, NightLightBlobs) {
    // The state record of kOnManual is bytes 19..40, of kOffScheduled 19..35.
    const TBytes OnRecord = Slice(kOnManual, 19, 40);
    const TBytes OffRecord = Slice(kOffScheduled, 19, 35);
    TBytes ListTooShort = kOnManual;
    ListTooShort[18] = 0x14;  // the list ends before the state record's STOP
    TBytes ListTooLong = kOnManual;
    ListTooLong[18] = 0x7f;  // more than the value holds
    TBytes Version2 = kOnManual;
    Version2[2] = 0x02;
    TBytes InnerNotRecord = kOnManual;
    InnerNotRecord[19] = 0x44;
    TBytes UnknownType = kOnManual;
    UnknownType[23] = 0x13;  // type 19 is none of the encoding's
    TBytes Deep = {0x43, 0x42, 0x01, 0x00};
    Deep.insert(Deep.end(), 5000, 0x0a);  // struct in struct in struct ...

    struct Case { const char* What; TBytes Bytes; TState Expected; };
    const Case kCases[] = {
        {"on, switched by hand", kOnManual, TState::On},
        {"off, switched by hand", kOffManual, TState::Off},
        {"on, by the schedule", kOnScheduled, TState::On},
        {"off, by the schedule", kOffScheduled, TState::Off},
        // A longer change-time varint moves every later byte: no fixed offsets.
        {"on, six-byte time", Cat({Slice(kOnManual, 0, 14), {0x85, 0x01}, Slice(kOnManual, 15, 43)}),
         TState::On},
        {"off, six-byte time",
         Cat({Slice(kOffManual, 0, 14), {0x85, 0x01}, Slice(kOffManual, 15, 41)}), TState::Off},
        {"older layout, on", Cat({kOldPrologue, OnRecord}), TState::On},
        {"older layout, off", Cat({kOldPrologue, OffRecord}), TState::Off},
        {"empty", {}, TState::Unknown},
        {"header only", {0x43, 0x42, 0x01, 0x00}, TState::Unknown},
        {"outer without a byte list", {0x43, 0x42, 0x01, 0x00, 0x0a, 0x02, 0x01, 0x00, 0x00},
         TState::Unknown},
        {"list shorter than its record", ListTooShort, TState::Unknown},
        {"list longer than the value", ListTooLong, TState::Unknown},
        {"other protocol version", Version2, TState::Unknown},
        {"list not holding a record", InnerNotRecord, TState::Unknown},
        {"unknown value type", UnknownType, TState::Unknown},
        {"nested past any real record", Deep, TState::Unknown},
        {"huge list count", {0x43, 0x42, 0x01, 0x00, 0x2b, 0x0e, 0xff, 0xff, 0xff, 0xff, 0xff,
                             0xff, 0xff, 0xff, 0xff, 0x01, 0x00}, TState::Unknown},
        {"varint past ten bytes", {0x43, 0x42, 0x01, 0x00, 0x06, 0x80, 0x80, 0x80, 0x80, 0x80,
                                   0x80, 0x80, 0x80, 0x80, 0x80, 0x01, 0x00}, TState::Unknown},
    };
    for (const Case& C : kCases)
        EXPECT_STREQ(Name(Decode(C.Bytes)), Name(C.Expected)) << C.What;
    EXPECT_EQ(NightLightFromBlob(nullptr, 10), TState::Unknown);
}

// A value cut anywhere before the outer record's last STOP is not taken for a whole one.
TEST(ScreenConditions, TruncatedNightLightIsUnknown) {
    for (const TBytes& Whole : {kOnManual, kOffManual, kOnScheduled, kOffScheduled}) {
        const std::size_t LastStop = Whole.size() - 2;  // the fourth zero byte is spare
        for (std::size_t N = 0; N <= LastStop; ++N) {
            // An exactly sized copy, so a read past the end is caught by the sanitizers.
            const TBytes Cut = Slice(Whole, 0, N);
            EXPECT_EQ(Decode(Cut), TState::Unknown) << N << " of " << Whole.size();
        }
    }
}

TEST(ScreenConditions, HoldingListsEachConditionThatIsOnInOrder) {
    const TState On = TState::On, Off = TState::Off, Unknown = TState::Unknown;
    using H = TCondition;
    struct Case {
        TState Filter; int FilterType; TState Magnifier, Night, Hdr;
        bool Undoes; std::vector<TCondition> Holding;
    };
    const Case kCases[] = {
        {Off, -1, Off, Off, Off, false, {}},
        {Unknown, 1, Unknown, Unknown, Unknown, false, {}},
        {Off, 1, Off, Off, Off, false, {}},  // a type left behind by a filter now off
        {On, 1, Off, Off, Off, true, {H::InversionUndone}},
        {On, 0, Off, Off, Off, false, {H::ColorFilter}},
        {On, 2, Off, Off, Off, false, {H::ColorFilter}},
        {On, -1, Off, Off, Off, false, {H::ColorFilter}},
        {Off, -1, On, Off, Off, false, {H::MagnifierInvert}},
        {Off, -1, Off, On, Off, false, {H::NightLight}},
        {Off, -1, Off, Off, On, false, {H::Hdr}},
        {On, 1, Off, On, Unknown, true, {H::InversionUndone, H::NightLight}},
        {On, 4, On, On, On, false, {H::ColorFilter, H::MagnifierInvert, H::NightLight, H::Hdr}},
    };
    int Row = 0;
    for (const Case& C : kCases) {
        TConditions Conditions;
        Conditions.Filter = C.Filter;
        Conditions.FilterType = C.FilterType;
        Conditions.MagnifierInvert = C.Magnifier;
        Conditions.NightLight = C.Night;
        Conditions.Hdr = C.Hdr;
        EXPECT_EQ(Conditions.UndoesInversion(), C.Undoes) << "row " << Row;
        EXPECT_EQ(Holding(Conditions), C.Holding) << "row " << Row;
        ++Row;
    }
}

}  // namespace
