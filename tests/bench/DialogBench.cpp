// Opens and cancels the Save colour dialog many times through the real menu command and prints
// how much the process grows per opening (footprint.h has the columns). bare_dialog prints the
// same figures for a bare Win32 program that makes the same calls. Not a test: it prints.
//
//   dialog_bench [COUNT1] [COUNT2] [thread]   (default 500 2000; "thread": closed from a
//                                             second thread, as long_run does)
#include "Footprint.h"
#include "MainForm.h"
#include "StartUp.h"
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    int n1 = argc > 1 ? std::atoi(argv[1]) : 500;
    int n2 = argc > 2 ? std::atoi(argv[2]) : 2000;
    bool thread = argc > 3 && std::string(argv[3]) == "thread";
    InitializeApplication();
    frmMain = Application.CreateForm<TfrmMain>();
    frmMain->Show();
    Application.ProcessMessages();
    footprint::Header();
    footprint::Start(L"TfrmSaveColor", thread);
    TMenuItem* save = frmMain->mnuColor.Find(TCommandId::SaveColor);
    footprint::Run(thread ? "Save colour, closing thread" : "Save colour", [&] { save->OnClick(); }, {n1, n2});
    footprint::Stop();
    Application.DestroyForms();
    return 0;
}
