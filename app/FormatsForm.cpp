#include "FormatsForm.h"
#include "Errors.h"
#include "Guard.h"
#include "Settings.h"
#include "Text.h"
#include "Texts.h"

TfrmFormats* frmFormats = nullptr;

#define M(member) LAYOUT_SLOT(TfrmFormats, member)
const std::vector<TLayoutRow<TfrmFormats>>& TfrmFormats::Layout() {
    static const std::vector<TLayoutRow<TfrmFormats>> rows = {
        // control        parent          left top width height tag tab caption
        {M(lvwFormats),      {},               8,   8,  324,   150,   0,   0, nullptr},
        {M(btnNew),          {},             338,   8,   74,    23,   0,   1, L"新建(&N)"},
        {M(btnDelete),       {},             338,  36,   74,    23,   0,   2, L"删除(&D)"},
        {M(btnUp),           {},             338,  64,   74,    23,   0,   3, L"上移(&U)"},
        {M(btnDown),         {},             338,  92,   74,    23,   0,   4, L"下移(&W)"},
        {M(lblName),         {},               8, 170,    0,    13,   0,  -1, L"名称:"},
        {M(edtName),         {},              62, 166,  350,    21,   0,   5, nullptr},
        {M(lblTemplate),     {},               8, 197,    0,    13,   0,  -1, L"格式:"},
        {M(edtTemplate),     {},              62, 193,  350,    21,   0,   6, nullptr},
        {M(lblPreview),      {},               8, 224,    0,    13,   0,  -1, L"预览:"},
        {M(edtPreview),      {},              62, 220,  350,    21,   0,   7, nullptr},
        {M(edtError),        {},               8, 247,  404,    17,   0,   8, nullptr},
        {M(btnOK),           {},             259, 271,   74,    23,   0,   9, L"确定"},
        {M(btnCancel),       {},             338, 271,   74,    23,   0,  10, L"取消"},
    };
    return rows;
}
#undef M

namespace {
std::wstring ProblemText(const OwnFormats::TError& e) {
    using P = OwnFormats::TProblem;
    const std::wstring at = L"第 " + std::to_wstring(e.Position) + L" 个字符：";
    switch (e.Problem) {
    case P::None: break;
    case P::UnknownPlaceholder: return at + L"未知的占位符 {" + Utf8ToWide(e.Placeholder) + L"}";
    case P::MissingBrace: return at + L"缺少 }";
    case P::ControlCharacter: return at + L"不能使用控制字符";
    case P::EmptyTemplate: return L"格式不能为空";
    case P::LongTemplate: return L"格式最多 " + std::to_wstring(OwnFormats::kMaxTemplate) + L" 个字符";
    case P::EmptyName: return L"名称不能为空";
    case P::LongName: return L"名称最多 " + std::to_wstring(OwnFormats::kMaxName) + L" 个字符";
    case P::NameControl: return L"名称" + at + L"不能使用控制字符";
    case P::SameName: return L"已有同名的格式";
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
        return L"名称第 " + std::to_wstring(at) + L" 个字符：无法保存在设置文件中";
    if (const OwnFormats::TError e = OwnFormats::CheckTemplate(f.Template)) return ProblemText(e);
    if (int at = FirstUnstorable(Utf8ToWide(f.Template)))
        return L"第 " + std::to_wstring(at) + L" 个字符：无法保存在设置文件中";
    return std::wstring();
}
}  // namespace

TfrmFormats::TfrmFormats() : TForm(L"TfrmFormats", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(L"自定义格式");
    BuildLayout(*this, Layout());
    lvwFormats->AddColumn(L"名称", 110);
    lvwFormats->AddColumn(L"格式", 205);
    lvwFormats->SetAccessibleName(L"格式列表");
    edtName->SetMaxLength(OwnFormats::kMaxName);
    edtTemplate->SetMaxLength(OwnFormats::kMaxTemplate);
    for (TEdit* e : {edtPreview, edtError}) {
        e->SetReadOnly(true);
        e->SetColor(clBtnFace);
    }
    edtError->SetAccessibleName(L"错误");
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
        if (!other.empty()) return L"“" + Utf8ToWide(FFormats[i].Name) + L"”：" + other;
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
        FFormats.push_back({WideToUtf8(L"格式 " + std::to_wstring(n)), "#{hex}"});
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
        MessageBoxW(Handle(), ExceptionText(e).c_str(), Caption().c_str(), MB_OK | MB_ICONERROR);
        return;
    }
    ModalResult = mrOk;
}
