// A settings folder that cannot be made, or a settings file that cannot be written, at
// start-up: the message comes once, the defaults apply, and the program works fully.
#include "FileHelpers.h"
#include "MainForm.h"
#include "StartUp.h"
#include "settings/Settings.h"
#include <gtest/gtest.h>

namespace {
struct TFault {
    const char* name;
    const char* message;  // the start of the message the user sees
    bool folderIsFile;    // else vop.ini is a folder
};

class StartUpFaultTest : public ::testing::TestWithParam<TFault> {
protected:
    void SetUp() override {
        InitializeApplication();
        Folder = TSettings::GetIniFileName();
        Folder.resize(Folder.size() - std::string("\\vop.ini").size());
        DeleteFileA((Folder + "\\vop.ini").c_str());
        RemoveDirectoryA(Folder.c_str());
        if (GetParam().folderIsFile) {
            FileHelpers::WriteBytes(Folder, "");
        } else {
            CreateDirectoryA(Folder.c_str(), nullptr);
            CreateDirectoryA((Folder + "\\vop.ini").c_str(), nullptr);
        }
        Application.OnException = [this](const std::string& m) { Errors.push_back(m); };
    }
    void TearDown() override {
        Application.DestroyForms();
        Application.OnException = nullptr;
        frmMain = nullptr;
        RemoveDirectoryA((Folder + "\\vop.ini").c_str());
        DeleteFileA(Folder.c_str());
        RemoveDirectoryA(Folder.c_str());
    }
    std::string Folder;
    std::vector<std::string> Errors;
};

TEST_P(StartUpFaultTest, MessageOnceThenEveryStepStillRuns) {
    frmMain = Application.CreateForm<TfrmMain>();
    TfrmMain* F = frmMain;
    ASSERT_EQ(Errors.size(), 1u) << "the failure is shown once";
    EXPECT_EQ(Errors[0].rfind(GetParam().message, 0), 0u) << Errors[0];
    EXPECT_TRUE(F->Ready());
    EXPECT_EQ(F->cboZoom->Count(), 20);
    EXPECT_EQ(F->cboZoom->ItemIndex(), 0) << "the default zoom";
    EXPECT_TRUE(F->chkStayOnTop->Checked()) << "the default: on";
    ASSERT_NE(F->Capture(), nullptr);
    EXPECT_EQ(F->spiL->Value(), 240);
    EXPECT_EQ(F->edtHtml->Text(), L"#FFFFFF");
    EXPECT_EQ(F->TrayIcon().cbSize, 88u) << "the notification-area icon is there";
    EXPECT_EQ(GetWindowLongW(Application.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    // A pick, a zoom change and a magnifier click work; a zoom change reports its failure.
    SendMessageW(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SetCursorPos(300, 300);
    SendMessageW(F->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    SendMessageW(F->Handle(), WM_LBUTTONUP, 0, 0);
    SendMessageW(F->cboZoom->Handle(), CB_SETCURSEL, 4, 0);
    SendMessageW(F->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(F->cboZoom->Handle()));
    Application.ProcessMessages();
    EXPECT_EQ(Errors.size(), 2u) << "saving the zoom says it failed";
    SendMessageW(F->pnlZoom->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_TRUE(IsWindow(F->Handle()));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StartUpFaultTest,
    ::testing::Values(TFault{"FolderCannotBeMade", "文件已存在", true},
                      TFault{"FileCannotBeWritten", "无法写入到", false}),
    [](const ::testing::TestParamInfo<TFault>& i) { return std::string(i.param.name); });
}  // namespace
