#include "Layout.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Spin.h"
#include <stdexcept>

namespace {
std::unique_ptr<TControl> Create(const TLayoutRow& r, TWinControl* p) {
    const std::wstring caption = r.Caption ? r.Caption : L"";
    switch (r.Kind) {
    case TKind::Label: {
        auto l = std::make_unique<TLabel>(p, r.Left, r.Top, r.Width, r.Height, caption);
        l->AutoSize = r.Width == 0;  // a width of 0 in the table: the label sizes itself
        if (l->AutoSize) {
            SIZE s = l->TextExtent();
            l->SetBounds(r.Left, r.Top, s.cx, r.Height ? r.Height : s.cy);
        }
        return l;
    }
    case TKind::Edit: return std::make_unique<TEdit>(p, r.Left, r.Top, r.Width, r.Height);
    case TKind::SpinEdit:
        return std::make_unique<TSpinEdit>(p, r.Left, r.Top, r.Width, r.Height, r.MinValue, r.MaxValue);
    case TKind::CheckBox: return std::make_unique<TCheckBox>(p, r.Left, r.Top, r.Width, r.Height, caption);
    case TKind::ComboBox: return std::make_unique<TComboBox>(p, r.Left, r.Top, r.Width, r.Height, 8);
    case TKind::SpeedButton:
        return std::make_unique<TSpeedButton>(p, r.Left, r.Top, r.Width, r.Height, caption);
    case TKind::Button: return std::make_unique<TButton>(p, r.Left, r.Top, r.Width, r.Height, caption);
    case TKind::Panel: return std::make_unique<TPanel>(p, r.Left, r.Top, r.Width, r.Height);
    case TKind::Image: return std::make_unique<TImage>(p, r.Left, r.Top, r.Width, r.Height);
    case TKind::Shape: return std::make_unique<TShape>(p, r.Left, r.Top, r.Width, r.Height);
    case TKind::Bevel: return std::make_unique<TBevel>(p, r.Left, r.Top, r.Width, r.Height);
    case TKind::ListView: return std::make_unique<TListView>(p, r.Left, r.Top, r.Width, r.Height);
    case TKind::StatusBar: {
        auto s = std::make_unique<TStatusBar>(p, r.Left, r.Top, r.Width, r.Height);
        s->SetPanelText(caption);
        return s;
    }
    }
    throw std::logic_error("unknown control kind");
}
}  // namespace

void BuildLayout(TForm& form, const std::vector<TLayoutRow>& rows) {
    for (const TLayoutRow& r : rows) {
        TWinControl* parent = &form;
        if (r.Parent) parent = dynamic_cast<TWinControl*>(form.FindControl(r.Parent));
        if (!parent) throw std::logic_error(std::string("no parent for ") + r.Name);
        std::unique_ptr<TControl> c = Create(r, parent);
        c->Name = r.Name;
        c->Tag = r.Tag;
        if (auto* w = dynamic_cast<TWinControl*>(c.get())) w->TabOrder = r.TabOrder;
        form.Adopt(std::move(c));
    }
    form.ApplyTabOrder();
    for (TControl* c : form.Controls())
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->ApplyTabOrder();
}
