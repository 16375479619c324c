// The [VOP] values as the settings file hands them over: "zoom" and "ontop", and the whole
// numbers under them (TextUtil::TryStrToInt), held to a parser of our own. The zoom read goes
// on to the magnifier's source rectangle.

#include "FuzzCheck.h"
#include "screen/Magnifier.h"
#include "settings/SettingsText.h"
#include "util/TextUtil.h"

#include <cstdint>
#include <string>

namespace {

// The number format by its grammar: [+-] then "$", "x", "X", "0x" or "0X" and hex digits, or
// decimal digits; decimals within int32, hex within 32 bits, a minus negating the pattern.
bool ReferenceStrToInt(const std::string& Text, std::int32_t& Value) {
    std::string Rest = Text;
    bool Negative = false;
    if (!Rest.empty() && (Rest[0] == '+' || Rest[0] == '-')) {
        Negative = Rest[0] == '-';
        Rest.erase(0, 1);
    }
    int Base = 10;
    if (Rest.rfind("0x", 0) == 0 || Rest.rfind("0X", 0) == 0) {
        Base = 16;
        Rest.erase(0, 2);
    } else if (!Rest.empty() && (Rest[0] == '$' || Rest[0] == 'x' || Rest[0] == 'X')) {
        Base = 16;
        Rest.erase(0, 1);
    }
    std::uint64_t Magnitude = 0;
    if (!ReferenceUnsigned(Rest, Base, Magnitude)) return false;
    if (Base == 10 && Magnitude > (Negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    std::uint32_t Bits = static_cast<std::uint32_t>(Magnitude);
    if (Negative) Bits = ~Bits + 1;
    Value = static_cast<std::int32_t>(Bits);
    return true;
}

void CheckNumber(const std::string& Text) {
    const std::int32_t kUntouched = 0x5EED5EED;
    std::int32_t Value = kUntouched;
    std::int32_t Expected = kUntouched;
    const bool Ok = TextUtil::TryStrToInt(Text, Value);
    FUZZ_CHECK(Ok == ReferenceStrToInt(Text, Expected));
    FUZZ_CHECK(Value == Expected);  // also: a failure leaves the value alone
    if (Ok) {
        // Whatever was read writes back out and reads in again unchanged.
        std::int32_t Again = 0;
        FUZZ_CHECK(TextUtil::TryStrToInt(std::to_string(Value), Again) && Again == Value);
    }
}

void CheckRoundTrips(std::int32_t V) {
    const std::uint32_t Bits = static_cast<std::uint32_t>(V);
    std::int32_t Read = 0;
    FUZZ_CHECK(TextUtil::TryStrToInt(std::to_string(V), Read) && Read == V);
    for (const char* Mark : {"$", "x", "X", "0x", "0X"}) {
        Read = 0;
        FUZZ_CHECK(TextUtil::TryStrToInt(Mark + TextUtil::IntToHex(Bits, 8), Read) && Read == V);
        Read = 0;
        FUZZ_CHECK(TextUtil::TryStrToInt(std::string("-") + Mark + TextUtil::IntToHex(Bits, 1),
                                         Read) &&
                   static_cast<std::uint32_t>(Read) == 0u - Bits);
    }
    // One more digit is too many for either base.
    FUZZ_CHECK(!TextUtil::TryStrToInt("$1" + TextUtil::IntToHex(Bits, 8), Read));
    if (V != INT32_MIN && V != 0) {
        const std::string Magnitude = std::to_string(V < 0 ? -static_cast<std::int64_t>(V) : V);
        FUZZ_CHECK(!TextUtil::TryStrToInt(Magnitude + "0000000000", Read));
    }
    const int Zoom = SettingsText::ZoomFromValue(SettingsText::ZoomValue(V));
    FUZZ_CHECK(Zoom == (V >= 1 && V <= 20 ? V : 1));
}

void CheckZoom(const std::string& Text, std::uint32_t RawWidth, std::uint32_t RawHeight) {
    const int Zoom = SettingsText::ZoomFromValue(Text);
    std::int32_t Expected = 0;
    if (!ReferenceStrToInt(TextUtil::Trim(Text), Expected) || Expected < 1 || Expected > 20)
        Expected = 1;
    FUZZ_CHECK(Zoom == Expected);

    // The magnifier's source lies inside the capture and holds the capture's centre pixel.
    const int W = static_cast<int>(RawWidth % 0x7FFFFFFF) + 1;
    const int H = static_cast<int>(RawHeight % 0x7FFFFFFF) + 1;
    const TZoomSource Source = ZoomSource(W, H, Zoom);
    FUZZ_CHECK(Source.X >= 0 && Source.Y >= 0);
    FUZZ_CHECK(Source.Width == W / Zoom && Source.Height == H / Zoom);
    FUZZ_CHECK(static_cast<std::int64_t>(Source.X) + Source.Width <= W);
    FUZZ_CHECK(static_cast<std::int64_t>(Source.Y) + Source.Height <= H);
    if (W >= Zoom) FUZZ_CHECK(Source.X <= W / 2 && W / 2 < Source.X + Source.Width);
    if (H >= Zoom) FUZZ_CHECK(Source.Y <= H / 2 && H / 2 < Source.Y + Source.Height);
}

void CheckStayOnTop(const std::string& Text) {
    // Off exactly when the one character that is no blank or control character is a '0'.
    int Visible = 0;
    char Seen = 0;
    for (char C : Text)
        if (static_cast<unsigned char>(C) > 32) ++Visible, Seen = C;
    FUZZ_CHECK(SettingsText::StayOnTopFromValue(Text) == !(Visible == 1 && Seen == '0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Text = FuzzText(Data, Size);
    TFuzzInput Fields(Data, Size);
    const std::uint32_t First = Fields.U32();
    const std::uint32_t Second = Fields.U32();

    CheckNumber(Text);
    CheckNumber(TextUtil::Trim(Text));
    CheckRoundTrips(static_cast<std::int32_t>(First));
    CheckZoom(Text, First, Second);
    CheckStayOnTop(Text);
    for (bool On : {false, true})
        FUZZ_CHECK(SettingsText::StayOnTopFromValue(SettingsText::StayOnTopValue(On)) == On);
    return 0;
}
