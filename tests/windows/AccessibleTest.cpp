// The names a screen reader reads: each window's client object asked for its name, as a screen
// reader asks for it.
#include "AboutForm.h"
#include "ContrastForm.h"
#include "FormatsForm.h"
#include "LabelNames.h"
#include "MainWindowTest.h"
#include "MyColorsForm.h"
#include "SaveColorForm.h"
#include "VariationsForm.h"
#include <oleacc.h>
#include <functional>

namespace {
std::wstring ReadName(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))) || !object)
        return L"(no object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    object->get_accName(self, &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    object->Release();
    return text;
}

struct TNamed {
    const char* control;
    const wchar_t* name;
};

void ExpectNames(const TWinControl& form, std::initializer_list<TNamed> table) {
    for (const TNamed& row : table) {
        TControl* c = form.FindControl(row.control);
        ASSERT_TRUE(c && c->Handle()) << row.control;
        EXPECT_EQ(ReadName(c->Handle()), row.name) << row.control;
    }
}

using AccessibleNameTest = TMainWindowTest;

TEST_F(AccessibleNameTest, MainWindowControlsReadTheLabelsBesideThem) {
    CreateMain();
    ExpectNames(*F, {{"spiR", L"R"}, {"spiG", L"G"}, {"spiB", L"B"}, {"spiH", L"H"}, {"spiS", L"S"},
                     {"spiL", L"L"}, {"edtRGB", L"RGB"}, {"edtDecimal", L"十进制"},
                     {"edtHex", L"十六进制"}, {"edtHtml", L"Html"}, {"edtDelphi", L"Delphi"},
                     {"edtVB", L"VB"}, {"edtC", L"C/C++"}, {"cboZoom", L"Zoom"},
                     {"chkStayOnTop", L"置顶"}});  // its own text, not a label's
    EXPECT_TRUE(Errors.empty());
}

TEST_F(AccessibleNameTest, DialogEditsReadTheirLabels) {
    TFormPtr<TfrmSaveColor> dialog = Application.NewForm<TfrmSaveColor>();
    ExpectNames(*dialog, {{"edtTime", L"时间"}, {"edtValue", L"值"}, {"edtComment", L"备注"}});
    ExpectNames(*Application.NewForm<TfrmFormats>(), {{"lvwFormats", L"格式列表"}, {"edtName", L"名称"},
                                                      {"edtTemplate", L"格式"}, {"edtPreview", L"预览"},
                                                      {"edtError", L"错误"}});
}

TEST_F(AccessibleNameTest, NameGoesToEveryWindowMadeAndFollowsChanges) {
    CreateMain();
    F->spiR->DestroyHandle();
    F->spiR->CreateHandle();
    EXPECT_EQ(ReadName(F->spiR->Handle()), L"R") << "a window made again reads the name again";
    F->edtHtml->SetAccessibleName(L"Html colour");
    EXPECT_EQ(ReadName(F->edtHtml->Handle()), L"Html colour");
    F->edtHtml->SetAccessibleName(L"");
    EXPECT_NE(ReadName(F->edtHtml->Handle()), L"Html colour") << "no name: the system's own again";
}

// The rule on a form of its own: the nearest label on the row wins, a label above names only
// what lies right under it, a name given by the program stays, a check box keeps its text.
TEST_F(AccessibleNameTest, LabelsNameOnlyTheControlsBesideThem) {
    TForm form(L"AccessibleTestForm", 400, 160);
    TLabel notes(&form, 8, 8, 100, 13, L"&Notes：");
    TEdit edtNotes(&form, 8, 24, 150, 21), edtBelow(&form, 8, 56, 150, 21);
    TLabel lblFar(&form, 200, 8, 40, 13, L"Far:"), lblNear(&form, 250, 8, 40, 13, L" A&&B : ");
    TEdit edtNear(&form, 300, 4, 80, 21);
    TLabel above(&form, 200, 40, 60, 13, L"Above");
    TComboBox cboOwn(&form, 200, 56, 100, 21, 8);
    TCheckBox chk(&form, 300, 100, 80, 17, L"Own");
    TLabel beside(&form, 250, 100, 40, 13, L"Beside");
    cboOwn.SetAccessibleName(L"Kept");
    form.CreateHandle();
    const std::pair<const TWinControl*, const wchar_t*> expected[] = {
        {&edtNotes, L"Notes"}, {&edtBelow, L""}, {&edtNear, L"A&B"}, {&cboOwn, L"Kept"}, {&chk, L""}};
    for (auto [control, name] : expected) EXPECT_EQ(control->AccessibleName(), name) << control->Left();
    for (const wchar_t* caption : {L"：", L"&", L"  "}) EXPECT_EQ(LabelCaptionAsName(caption), L"");
}

// What a screen reader finds in a window, one line for each control without a name: its
// windows (each read through its client object) and the elements drawn on them (each read
// from its window's object). A drawn control that answers the mouse must be an element, or
// fill a window that stands for it under a name of its own.
void ListUnnamed(const TWinControl& window, std::vector<std::string>& unnamed) {
    char className[64] = "";
    GetClassNameA(window.Handle(), className, sizeof className);
    const std::string where = window.Name.empty() ? className : window.Name;
    IAccessible* object = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(window.Handle(), OBJID_CLIENT, IID_IAccessible,
                                                     reinterpret_cast<void**>(&object))) && object);
    LONG count = 0, got = 0;
    object->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count) + 1);
    AccessibleChildren(object, 0, count, children.data(), &got);
    for (LONG i = 0; i < got; ++i) {
        BSTR name = nullptr;
        if (children[i].vt == VT_I4 && (object->get_accName(children[i], &name), !name || !*name))
            unnamed.push_back("drawn element " + std::to_string(children[i].lVal) + " in " + where);
        SysFreeString(name);
        VariantClear(&children[i]);
    }
    object->Release();
    for (TControl* c : window.Controls()) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            if (!w->Visible()) continue;
            if (ReadName(w->Handle()).empty()) unnamed.push_back(w->Name + " in " + where);
            ListUnnamed(*w, unnamed);
        } else if (auto* g = dynamic_cast<TGraphicControl*>(c);
                   g && !g->AccessibleRole && (g->OnClick || g->OnMouseDown || g->OnMouseUp) &&
                   window.AccessibleName().empty()) {
            unnamed.push_back(g->Name + " in " + where + ": answers the mouse, no element");
        }
    }
}

// Every window of the program, each in both languages: nothing a screen reader finds is
// without a name, so a new control cannot ship unnamed.
TEST_F(AccessibleNameTest, EveryWindowNamesEveryControl) {
    const std::function<TFormPtr<TForm>()> dialogs[] = {
        [] { return Application.NewForm<TfrmSaveColor>(); }, [] { return Application.NewForm<TfrmMyColors>(); },
        [] { return Application.NewForm<TfrmContrast>(); },
        [] {
            auto form = Application.NewForm<TfrmVariations>();
            form->SetCurrent(clRed);
            return TFormPtr<TForm>(std::move(form));
        },
        [] { return Application.NewForm<TfrmFormats>(); },   [] { return Application.NewForm<TfrmAbout>(); }};
    for (TLanguage language : {TLanguage::Chinese, TLanguage::English}) {
        SetLanguage(language);
        CreateMain();
        std::vector<std::string> unnamed;
        ListUnnamed(*F, unnamed);
        for (const auto& make : dialogs) ListUnnamed(*make(), unnamed);
        for (const std::string& line : unnamed) ADD_FAILURE() << line;
        Application.DestroyForms();
    }
}
}  // namespace
