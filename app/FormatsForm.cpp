#include "FormatsForm.h"
#include "util/Errors.h"
#include "Guard.h"
#include "Runtime.h"
#include "settings/Settings.h"
#include "Text.h"
#include "Texts.h"

TfrmFormats* frmFormats = nullptr;

using X = TTextId;

#define M(member) LAYOUT_SLOT(TfrmFormats, member)
std::vector<TLayoutRow<TfrmFormats>> TfrmFormats::Layout() {
    return {
        // control        parent          left top width height tag tab caption
        {M(lvwFormats),      {},               8,   8,  324,   150,   0,   0, nullptr},
        {M(btnNew),          {},             338,   8,   74,    23,   0,   1, Text(X::New)},
        {M(btnDelete),       {},             338,  36,   74,    23,   0,   2, Text(X::DeleteKey)},
        {M(btnUp),           {},             338,  64,   74,    23,   0,   3, Text(X::MoveUp)},
        {M(btnDown),         {},             338,  92,   74,    23,   0,   4, Text(X::MoveDown)},
        {M(lblName),         {},               8, 170,    0,    13,   0,  -1, Text(X::NameLabel)},
        {M(edtName),         {},              62, 166,  350,    21,   0,   5, nullptr},
        {M(lblTemplate),     {},               8, 197,    0,    13,   0,  -1, Text(X::FormatLabel)},
        {M(edtTemplate),     {},              62, 193,  350,    21,   0,   6, nullptr},
        {M(lblPreview),      {},               8, 224,    0,    13,   0,  -1, Text(X::PreviewLabel)},
        {M(edtPreview),      {},              62, 220,  350,    21,   0,   7, nullptr},
        {M(edtError),        {},               8, 247,  404,    17,   0,   8, nullptr},
        {M(btnOK),           {},             259, 271,   74,    23,   0,   9, Text(X::OK)},
        {M(btnCancel),       {},             338, 271,   74,    23,   0,  10, Text(X::Cancel)},
    };
}
#undef M

namespace {
std::wstring ProblemText(const OwnFormats::TError& e) {
    using P = OwnFormats::TProblem;
    const std::wstring at = std::to_wstring(e.Position);
    switch (e.Problem) {
    case P::None: break;
    case P::UnknownPlaceholder:
        return Text(X::AtCharacter, at, Text(X::UnknownPlaceholder, Utf8ToWide(e.Placeholder)));
    case P::MissingBrace: return Text(X::AtCharacter, at, Text(X::MissingBrace));
    case P::ControlCharacter: return Text(X::AtCharacter, at, Text(X::ControlCharacter));
    case P::EmptyTemplate: return Text(X::EmptyTemplate);
    case P::LongTemplate: return Text(X::LongTemplate, std::to_wstring(OwnFormats::kMaxTemplate));
    case P::EmptyName: return Text(X::EmptyName);
    case P::LongName: return Text(X::LongName, std::to_wstring(OwnFormats::kMaxName));
    case P::NameControl: return Text(X::NameAtCharacter, at, Text(X::ControlCharacter));
    case P::SameName: return Text(X::SameName);
    }
    return std::wstring();
}

// The settings file holds text in the system's code page: a character beyond it would come
// back as "?". The 1-based place of the first such character, or 0.
int FirstUnstorable(const std::wstring& text) {
    const std::wstring back = AnsiToWide(WideToAnsi(text));
    size_t i = 0;
    while (i < text.size() && i < back.size() && text[i] == back[i]) ++i;
    return i == text.size() && back.size() == text.size() ? 0 : static_cast<int>(i) + 1;
}

// The first problem of one format, in the order the edits stand: name, then template.
std::wstring FormatProblem(const std::vector<OwnFormats::TFormat>& list, size_t index) {
    const OwnFormats::TFormat& f = list[index];
    if (const OwnFormats::TError e = OwnFormats::CheckName(list, index)) return ProblemText(e);
    if (int at = FirstUnstorable(Utf8ToWide(f.Name)))
        return Text(X::NameAtCharacter, std::to_wstring(at), Text(X::NotStorable));
    if (const OwnFormats::TError e = OwnFormats::CheckTemplate(f.Template)) return ProblemText(e);
    if (int at = FirstUnstorable(Utf8ToWide(f.Template)))
        return Text(X::AtCharacter, std::to_wstring(at), Text(X::NotStorable));
    return std::wstring();
}
}  // namespace

TfrmFormats::TfrmFormats() : TForm(L"TfrmFormats", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(Text(X::FormatsCaption));
    BuildLayout(*this, Layout());
    lvwFormats->AddColumn(Text(X::NameColumn), 110);
    lvwFormats->AddColumn(Text(X::FormatColumn), 205);
    lvwFormats->SetAccessibleName(Text(X::FormatList));
    edtName->SetMaxLength(OwnFormats::kMaxName);
    edtTemplate->SetMaxLength(OwnFormats::kMaxTemplate);
    for (TEdit* e : {edtPreview, edtError}) {
        e->SetReadOnly(true);
        e->SetColor(clBtnFace);
    }
    edtError->SetAccessibleName(Text(X::ErrorName));
    edtError->Border = false;
    SetDefaultButton(btnOK);
    CancelButton = btnCancel;
    btnCancel->ModalResult = mrCancel;

    lvwFormats->OnSelect = [this] { ShowSelected(); };
    edtName->OnChange = [this] { EditChanged(); };
    edtTemplate->OnChange = [this] { EditChanged(); };
    btnNew->OnClick = [this] { btnNewClick(); };
    btnDelete->OnClick = [this] {
        const int row = lvwFormats->Selected();
        if (row < 0) return;
        FFormats.erase(FFormats.begin() + row);
        OldKeys.erase(OldKeys.begin() + row);
        FillList(std::min(row, static_cast<int>(FFormats.size()) - 1));
    };
    btnUp->OnClick = [this] { Move(-1); };
    btnDown->OnClick = [this] { Move(1); };
    btnOK->OnClick = [this] { btnOKClick(); };
    OnCreate = [this] { Refresh(); };
}

void TfrmFormats::SetFormats(const std::vector<OwnFormats::TFormat>& formats, const std::vector<int>& keys,
                             int room) {
    FFormats = formats;
    OldKeys = keys;
    FRoom = room;
    FillList(FFormats.empty() ? -1 : 0);
}

void TfrmFormats::FillList(int selected) {
    {
        TGuard showing(FShowing);
        lvwFormats->Clear();
        for (const OwnFormats::TFormat& f : FFormats) {
            const int row = lvwFormats->AddItem(-1, {Utf8ToWide(f.Template)});
            lvwFormats->SetSubItem(row, 0, Utf8ToWide(f.Name));
        }
    }
    if (selected >= 0) lvwFormats->Select(selected);
    ShowSelected();
}

void TfrmFormats::ShowSelected() {
    if (FShowing) return;
    const int row = lvwFormats->Selected();
    {
        TGuard showing(FShowing);
        edtName->SetText(row < 0 ? std::wstring() : Utf8ToWide(FFormats[static_cast<size_t>(row)].Name));
        edtTemplate->SetText(row < 0 ? std::wstring() : Utf8ToWide(FFormats[static_cast<size_t>(row)].Template));
    }
    Refresh();
}

// What is typed goes straight into the list, so the preview, the error line and 确定 always
// speak of what the edits show.
void TfrmFormats::EditChanged() {
    const int row = lvwFormats->Selected();
    if (FShowing || row < 0) return;
    OwnFormats::TFormat& f = FFormats[static_cast<size_t>(row)];
    f.Name = WideToUtf8(edtName->Text());
    f.Template = WideToUtf8(edtTemplate->Text());
    lvwFormats->SetSubItem(row, 0, edtName->Text());
    lvwFormats->SetSubItem(row, 1, edtTemplate->Text());
    Refresh();
}

void TfrmFormats::Refresh() {
    const int row = lvwFormats->Selected(), count = static_cast<int>(FFormats.size());
    edtPreview->SetText(row < 0 ? std::wstring()
                                : Utf8ToWide(OwnFormats::Expand(FFormats[static_cast<size_t>(row)].Template,
                                                                PreviewColor)));
    const std::wstring error = ErrorText();
    edtError->SetText(error);
    for (TControl* c : {static_cast<TControl*>(edtName), static_cast<TControl*>(edtTemplate),
                        static_cast<TControl*>(btnDelete)})
        c->SetEnabled(row >= 0);
    btnUp->SetEnabled(row > 0);
    btnDown->SetEnabled(row >= 0 && row + 1 < count);
    btnNew->SetEnabled(count < FRoom);
    btnOK->SetEnabled(error.empty());
}

// The selected format's problem first; else the first of another, with its name.
std::wstring TfrmFormats::ErrorText() const {
    const int row = lvwFormats->Selected();
    if (row >= 0) {
        const std::wstring own = FormatProblem(FFormats, static_cast<size_t>(row));
        if (!own.empty()) return own;
    }
    for (size_t i = 0; i < FFormats.size(); ++i) {
        const std::wstring other = FormatProblem(FFormats, i);
        if (!other.empty()) return Text(X::FormatProblem, Utf8ToWide(FFormats[i].Name), other);
    }
    return std::wstring();
}

void TfrmFormats::Move(int by) {
    const int row = lvwFormats->Selected(), to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(FFormats.size())) return;
    std::swap(FFormats[static_cast<size_t>(row)], FFormats[static_cast<size_t>(to)]);
    std::swap(OldKeys[static_cast<size_t>(row)], OldKeys[static_cast<size_t>(to)]);
    FillList(to);
}

// A new format under the first free name "格式 N", ready to be renamed.
void TfrmFormats::btnNewClick() {
    if (static_cast<int>(FFormats.size()) >= FRoom) return;
    for (int n = 1;; ++n) {
        FFormats.push_back({WideToUtf8(Text(X::NewFormatName, std::to_wstring(n))), "#{hex}"});
        if (!OwnFormats::CheckName(FFormats, FFormats.size() - 1)) break;
        FFormats.pop_back();
    }
    OldKeys.push_back(0);
    FillList(static_cast<int>(FFormats.size()) - 1);
    edtName->SetFocus();
    SendMessageW(edtName->Handle(), EM_SETSEL, 0, -1);
}

// Stored in one rewrite; a write the file refuses keeps the dialog open with what was typed.
void TfrmFormats::btnOKClick() {
    if (!ErrorText().empty()) return;
    try {
        NewKeys = TSettings::WriteFormats(FFormats);
    } catch (const EQuilloraError& e) {
        Notices::DialogError(Handle(), ExceptionText(e));
        return;
    }
    ModalResult = mrOk;
}
