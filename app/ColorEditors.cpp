#include "ColorEditors.h"
#include "Guard.h"
#include "colour/VopClass.h"

void TColorEditors::Attach(const std::array<TSpinEdit*, 6>& editors) {
    FEditors = editors;
    for (size_t i = 0; i < 3; ++i) FEditors[i]->OnChange = [this] { ModifyRGB(); };
    for (size_t i = 3; i < 6; ++i) FEditors[i]->OnChange = [this] { ModifyHSL(); };
}

void TColorEditors::Show(TColor c) {
    if (!FUpdatingRGB) ShowRGB(c);
    if (!FUpdatingHSL) ShowHSL(c);
}

void TColorEditors::ShowRGB(TColor c) {
    TGuard guard(FUpdatingRGB);
    FEditors[0]->SetValue(RedOf(c));
    FEditors[1]->SetValue(GreenOf(c));
    FEditors[2]->SetValue(BlueOf(c));
}

void TColorEditors::ShowHSL(TColor c) {
    TGuard guard(FUpdatingHSL);
    int h, s, l;
    TVop::RGBToHSL(RedOf(c), GreenOf(c), BlueOf(c), h, s, l);
    FEditors[3]->SetValue(h);
    FEditors[4]->SetValue(s);
    FEditors[5]->SetValue(l);
}

void TColorEditors::ModifyRGB() {
    if (FUpdatingRGB) return;
    TGuard guard(FUpdatingRGB);
    const int b = FEditors[2]->Value(), g = FEditors[1]->Value(), r = FEditors[0]->Value();
    FModel.Set(MakeColor(r, g, b), TColorSource::Typed);
}

void TColorEditors::ModifyHSL() {
    if (FUpdatingHSL) return;
    TGuard guard(FUpdatingHSL);
    const int l = FEditors[5]->Value(), s = FEditors[4]->Value(), h = FEditors[3]->Value();
    int r, g, b;
    TVop::HSLToRGB(h, s, l, r, g, b);
    FModel.Set(MakeColor(r, g, b), TColorSource::Typed);
}

std::array<int, 6> TColorEditors::Values() const {
    std::array<int, 6> values{};
    for (size_t i = 0; i < values.size(); ++i) values[i] = FEditors[i]->Value();
    return values;
}

void TColorEditors::SetValues(const std::array<int, 6>& values) {
    TGuard rgb(FUpdatingRGB), hsl(FUpdatingHSL);
    for (size_t i = 0; i < values.size(); ++i) FEditors[i]->SetValue(values[i]);
}
