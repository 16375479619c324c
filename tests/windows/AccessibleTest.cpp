// The names a screen reader reads: each window's client object asked for its name, as a screen
// reader asks for it.
#include "FormatsForm.h"
#include "LabelNames.h"
#include "MainWindowTest.h"
#include "SaveColorForm.h"
#include <oleacc.h>

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
}  // namespace
