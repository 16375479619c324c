// A window's layout as a table: one row per control, read like the window's design. Each row
// names the member of the form that gets the control, so the control's kind is the member's
// type and a misspelt member does not compile:
//
//   //  control                 parent        left top width height tag tab caption
//   {LAYOUT_SLOT(TfrmX, spiR), {},             31, 194,  90,   22,  0,  2, nullptr, 0, 255},
//   {LAYOUT_SLOT(TfrmX, imgA), LAYOUT_SLOT(TfrmX, pnlA), 3, 3, 32, 32, 0, -1, nullptr},
#pragma once
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Spin.h"
#include "StdCtrls.h"
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

template <class Form> struct TLayoutRow;

// A member of the form that a row fills in.
template <class Form>
struct TLayoutSlot {
    const char* Name = nullptr;
    // Makes the control on its parent, stores it in the member and hands it to the form.
    TControl* (*Make)(Form&, TWinControl* parent, const TLayoutRow<Form>&) = nullptr;
    // The member's control, once its row is built.
    TControl* (*Get)(const Form&) = nullptr;
};

template <class Form>
struct TLayoutRow {
    TLayoutSlot<Form> Control;
    TLayoutSlot<Form> Parent;  // empty: the form itself
    int Left, Top, Width, Height;
    int Tag;
    int TabOrder;  // -1: none
    const wchar_t* Caption;
    int MinValue = 0, MaxValue = 0;  // spin editors
};

namespace LayoutDetail {
template <class M> struct TMember;
template <class F, class T> struct TMember<T* F::*> {
    using Form = F;
    using Control = T;
};

// A control of the member's kind from its row; a label with a width of 0 sizes itself to
// its text (its width only, when the row gives a height).
template <class T, class Form>
std::unique_ptr<T> MakeControl(TWinControl* p, const TLayoutRow<Form>& r) {
    const std::wstring caption = r.Caption ? r.Caption : L"";
    if constexpr (std::is_same_v<T, TLabel>) {
        auto l = std::make_unique<TLabel>(p, r.Left, r.Top, r.Width, r.Height, caption);
        if (r.Width == 0) {
            l->AutoHeight = r.Height == 0;
            l->SetAutoSize(true);
        }
        return l;
    } else if constexpr (std::is_same_v<T, TSpinEdit>) {
        return std::make_unique<T>(p, r.Left, r.Top, r.Width, r.Height, r.MinValue, r.MaxValue);
    } else if constexpr (std::is_same_v<T, TComboBox>) {
        return std::make_unique<T>(p, r.Left, r.Top, r.Width, r.Height, 8);
    } else if constexpr (std::is_constructible_v<T, TWinControl*, int, int, int, int, std::wstring>) {
        return std::make_unique<T>(p, r.Left, r.Top, r.Width, r.Height, caption);
    } else {
        auto c = std::make_unique<T>(p, r.Left, r.Top, r.Width, r.Height);
        if constexpr (std::is_same_v<T, TStatusBar>) c->SetPanelText(caption);
        return c;
    }
}
// The name, tag and tab order a row gives its control.
template <class Form>
void NameControl(TControl& c, const std::string& name, const TLayoutRow<Form>& r) {
    c.Name = name;
    c.Tag = r.Tag;
    if (auto* w = dynamic_cast<TWinControl*>(&c)) w->TabOrder = r.TabOrder;
}
}  // namespace LayoutDetail

template <auto Member>
TLayoutSlot<typename LayoutDetail::TMember<decltype(Member)>::Form> LayoutSlot(const char* name) {
    using Form = typename LayoutDetail::TMember<decltype(Member)>::Form;
    using T = typename LayoutDetail::TMember<decltype(Member)>::Control;
    TLayoutSlot<Form> slot;
    slot.Name = name;
    slot.Make = [](Form& form, TWinControl* parent, const TLayoutRow<Form>& row) -> TControl* {
        std::unique_ptr<T> control = LayoutDetail::MakeControl<T>(parent, row);
        form.*Member = control.get();
        return form.Adopt(std::move(control));
    };
    slot.Get = [](const Form& form) -> TControl* { return form.*Member; };
    return slot;
}
#define LAYOUT_SLOT(Form, member) LayoutSlot<&Form::member>(#member)

// One control from the figures of a row, for rows a form repeats in a loop (its members an
// array): made on the parent, named, handed to the form.
template <class T, class Form>
T* AddLayoutControl(Form& form, TWinControl* parent, const std::string& name, const TLayoutRow<Form>& row) {
    T* c = static_cast<T*>(form.Adopt(LayoutDetail::MakeControl<T>(parent, row)));
    LayoutDetail::NameControl(*c, name, row);
    return c;
}

// Makes the controls of a table in its order (a parent's row comes before its children's)
// and hands them to the form, which owns them. Their windows come with the form's.
template <class Form>
void BuildLayout(Form& form, const std::vector<TLayoutRow<Form>>& rows) {
    for (const TLayoutRow<Form>& r : rows) {
        TWinControl* parent = &form;
        if (r.Parent.Get) parent = dynamic_cast<TWinControl*>(r.Parent.Get(form));
        if (!parent) throw std::logic_error(std::string("no parent for ") + r.Control.Name);
        LayoutDetail::NameControl(*r.Control.Make(form, parent, r), r.Control.Name, r);
    }
}

// Gives the built controls the rows' captions again (a label sized to its text resizes).
template <class Form>
void RelabelLayout(Form& form, const std::vector<TLayoutRow<Form>>& rows) {
    for (const TLayoutRow<Form>& r : rows)
        if (r.Caption) r.Control.Get(form)->SetCaption(r.Caption);
}
