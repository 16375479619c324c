#include "LabelNames.h"
#include "StdCtrls.h"

namespace {
bool Overlap(LONG from1, LONG to1, LONG from2, LONG to2) { return from1 < to2 && from2 < to1; }

const TLabel* LabelOf(const TWinControl& parent, const TWinControl& control) {
    const RECT c = control.BoundsRect();
    const TLabel* onRow = nullptr;
    const TControl* above = nullptr;  // a label or a windowed control: only a label names it
    for (const TControl* other : parent.Controls()) {
        const auto* label = dynamic_cast<const TLabel*>(other);
        if (other == &control || (!label && !dynamic_cast<const TWinControl*>(other))) continue;
        const RECT r = other->BoundsRect();
        // A label may reach under the control it names (a long caption): it starts left of it.
        if (label && r.left < c.left && Overlap(r.top, r.bottom, c.top, c.bottom) &&
            (!onRow || r.right > onRow->BoundsRect().right))
            onRow = label;
        if (r.bottom <= c.top && Overlap(r.left, r.right, c.left, c.right) &&
            (!above || r.bottom > above->BoundsRect().bottom))
            above = other;
    }
    return onRow ? onRow : dynamic_cast<const TLabel*>(above);
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; }

void TrimBlanks(std::wstring& s) {
    while (!s.empty() && IsBlank(s.back())) s.pop_back();
    size_t first = 0;
    while (first < s.size() && IsBlank(s[first])) ++first;
    s.erase(0, first);
}
}  // namespace

std::wstring LabelCaptionAsName(const std::wstring& caption) {
    std::wstring name;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size()) break;
        name += caption[i];
    }
    TrimBlanks(name);
    if (!name.empty() && (name.back() == L':' || name.back() == L'\uFF1A')) name.pop_back();
    TrimBlanks(name);
    return name;
}

void NameControlsAfterLabels(TWinControl& parent) {
    for (TControl* c : parent.Controls()) {
        auto* control = dynamic_cast<TWinControl*>(c);
        if (!control) continue;
        if (control->TakesLabelName() && control->AccessibleName().empty())
            if (const TLabel* label = LabelOf(parent, *control))
                control->SetAccessibleName(LabelCaptionAsName(label->Caption()));
        NameControlsAfterLabels(*control);
    }
}
