#include "Notations.h"
#include "ColorFormats.h"
#include "ColorParse.h"
#include "ColorText.h"
#include <stdexcept>

namespace Notations {
namespace {
template <int N>
int Main(char* Out, std::size_t Size, TColor Color) { return ColorText::FormatNotation(Out, Size, Color, N); }
template <int N>
int More(char* Out, std::size_t Size, TColor Color) { return ColorFormats::FormatMoreNotation(Out, Size, Color, N); }
const TNotation kMain[] = {
    {L"RGB:", L"RGB(&1)", &Main<1>, nullptr},        {L"十进制:", L"十进制(&2)", &Main<2>, nullptr},
    {L"十六进制", L"十六进制(&3)", &Main<3>, nullptr}, {L"Html:", L"Html(&4)", &Main<4>, nullptr},
    {L"Delphi", L"Delphi(&5)", &Main<5>, nullptr},   {L"VB:", L"VB(&6)", &Main<6>, nullptr},
    {L"C/C++:", L"C/C++(&7)", &Main<7>, nullptr},
};
const TNotation kMore[] = {
    {nullptr, L"CSS rgb()(&R)", &More<1>, nullptr}, {nullptr, L"CSS hsl()(&H)", &More<2>, nullptr},
    {nullptr, L"HSV(&V)", &More<3>, nullptr},       {nullptr, L"CMYK(&M)", &More<4>, nullptr},
    {nullptr, L"CIE Lab(&L)", &More<5>, nullptr},   {nullptr, L"OKLCH(&O)", &More<6>, nullptr},
    {nullptr, L"小写十六进制(&X)", &More<7>, nullptr}, {nullptr, L"颜色名称(&N)", &More<8>, nullptr},
};
}  // namespace

std::string TNotation::Text(TColor Color) const {
    char text[64];
    Format(text, sizeof text, Color);
    return text;
}
const TNotation& Main(int Number) {
    if (Number < 1 || Number > kMainCount) throw std::out_of_range("notation");
    return kMain[Number - 1];
}
const TNotation& More(int Number) {
    if (Number < 1 || Number > kMoreCount) throw std::out_of_range("notation");
    return kMore[Number - 1];
}
bool Read(std::string_view Text, TColor& Out) { return ColorParse::ParseColor(Text, Out); }
}  // namespace Notations
