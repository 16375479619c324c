// The three dialogs, driven as a user drives them: a second thread waits for each window and
// works its controls while the program runs the dialog modally.
#include "settings/Settings.h"
#include "AboutForm.h"
#include "Clipboard.h"
#include "ContrastForm.h"
#include "FormatsForm.h"
#include "FileHelpers.h"
#include "Links.h"
#include "MyColorsForm.h"
#include "SaveColorForm.h"
#include "settings/SettingsText.h"
#include "VariationsForm.h"
#include "MainWindowTest.h"
#include "UserDriver.h"
#include <commctrl.h>
#include <dlgs.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

namespace {
using UserDriver::Click;
using UserDriver::PostKey;

constexpr DWORD kWaitMs = 10000;

HWND WaitWindow(const wchar_t* cls) { return UserDriver::WaitWindow(cls, kWaitMs); }
std::wstring Answer(int button) { return UserDriver::Answer(button, kWaitMs); }

std::string FileText() { return FileHelpers::ReadBytes(TSettings::GetIniFileName()); }

class DialogTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        CreateMain()->Show();
    }
    void TearDown() override {
        Links::OnOpen = nullptr;
        RemoveDirectoryA(TSettings::GetIniFileName().c_str());
        TMainWindowTest::TearDown();
    }
    // Runs a menu command on this thread while `user` works the dialog on another.
    void WithUser(TCommandId item, const std::function<void()>& user) {
        TMenuItem* entry = F->mnuColor.Find(item);
        if (!entry) entry = F->mnuControl.Find(item);
        UserDriver::WithUser([&] { entry->OnClick(); }, user);
    }
    void SaveLines(std::initializer_list<const char*> lines) {
        for (const char* l : lines) {
            std::string s(l);
            size_t eq = s.find('=');
            WritePrivateProfileStringA("COLORS", s.substr(0, eq).c_str(), s.substr(eq + 1).c_str(),
                                       TSettings::GetIniFileName().c_str());
        }
    }
};

// ---- Save colour ----

TEST_F(DialogTest, EnterSavesTheColourWithTheOpeningTimeAndTheComment) {
    F->spiR->SetValue(1);
    F->spiG->SetValue(2);
    F->spiB->SetValue(3);
    std::wstring time, value;
    std::wstring box;
    WithUser(TCommandId::SaveColor, [&] {
        HWND dlg = WaitWindow(L"TfrmSaveColor");
        time = frmSaveColor->edtTime->Text();
        value = frmSaveColor->edtValue->Text();
        EXPECT_EQ(UserDriver::FocusOf(dlg), frmSaveColor->edtComment->Handle()) << "the comment has the focus";
        SetWindowTextW(frmSaveColor->edtComment->Handle(), L"sky; warm=yes");
        Sleep(1100);  // OK comes a second after the dialog opened
        PostKey(frmSaveColor->edtComment->Handle(), VK_RETURN);
        box = Answer(IDOK);
    });
    EXPECT_EQ(value, L"#010203");
    EXPECT_EQ(box, L"SUCCESS!");
    std::string key = SettingsText::KeyFromTimeText(WideToAnsi(time));
    EXPECT_NE(FileText().find("[COLORS]\r\n" + key + "=#010203sky, warm=yes\r\n"), std::string::npos)
        << FileText();
}

TEST_F(DialogTest, EscapeWritesNothingAndTheCommentTakes256Characters) {
    std::string before = FileText();  // start-up wrote the stay-on-top setting
    size_t length = 0;
    WithUser(TCommandId::SaveColor, [&] {
        WaitWindow(L"TfrmSaveColor");
        HWND comment = frmSaveColor->edtComment->Handle();
        for (int i = 0; i < 300; ++i) PostMessageW(comment, WM_CHAR, L'a' + i % 26, 0);
        for (int i = 0; i < 200 && GetWindowTextLengthW(comment) < 256; ++i) Sleep(10);
        Sleep(100);
        length = static_cast<size_t>(GetWindowTextLengthW(comment));
        EXPECT_EQ(frmSaveColor->edtValue->Text(), L"#FFFFFF");
        PostKey(comment, VK_ESCAPE);
    });
    EXPECT_EQ(length, 256u);
    EXPECT_EQ(FileText(), before) << "nothing written";
}

TEST_F(DialogTest, UnwritableSettingsFileGivesErrorAndTheStoreStaysAsItWas) {
    DeleteFileA(TSettings::GetIniFileName().c_str());
    ASSERT_TRUE(CreateDirectoryA(TSettings::GetIniFileName().c_str(), nullptr));  // vop.ini is a folder
    std::wstring box;
    WithUser(TCommandId::SaveColor, [&] {
        WaitWindow(L"TfrmSaveColor");
        PostMessageW(frmSaveColor->btnOK->Handle(), BM_CLICK, 0, 0);
        box = Answer(IDOK);
    });
    EXPECT_EQ(box, L"ERROR!");
    EXPECT_TRUE(Errors.empty()) << "the failure is the dialog's own message, not the error handler's";
    EXPECT_TRUE(FileHelpers::IsDirectory(TSettings::GetIniFileName()));
}

// ---- My colours ----

TEST_F(DialogTest, EmptyStoreListsNothingWithOkAndDeleteDisabled) {
    WithUser(TCommandId::MyColors, [&] {
        WaitWindow(L"TfrmMyColors");
        EXPECT_EQ(frmMyColors->lvwColors->Count(), 0);
        EXPECT_FALSE(IsWindowEnabled(frmMyColors->btnOK->Handle()));
        EXPECT_FALSE(IsWindowEnabled(frmMyColors->btnDelete->Handle()));
        PostKey(frmMyColors->lvwColors->Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(F->CurrentColor(), 0xFFFFFFu);
}

TEST_F(DialogTest, ChosenEntryBecomesTheCurrentColour) {
    SaveLines({"01012020101010=#GG0000x", "03072026140509=#FF8000sky, warm=yes", "01012020101011=#ff8001"});
    WithUser(TCommandId::MyColors, [&] {
        WaitWindow(L"TfrmMyColors");
        TListView* list = frmMyColors->lvwColors;
        EXPECT_EQ(list->Count(), 2) << "the line that does not convert is left out";
        EXPECT_EQ(list->SubItem(0, 1), L"#FF8000");
        EXPECT_EQ(list->SubItem(0, 2), L"03/07/2026 14:05:09");
        EXPECT_EQ(list->SubItem(0, 3), L"sky, warm=yes");
        EXPECT_EQ(list->SubItem(1, 1), L"#ff8001");
        EXPECT_EQ(frmMyColors->ImageList1.Count(), 2);
        // The keyboard selects without enabling the buttons; a click enables them.
        SetFocus(nullptr);
        PostKey(list->Handle(), VK_DOWN);
        Sleep(200);
        EXPECT_FALSE(IsWindowEnabled(frmMyColors->btnOK->Handle()));
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(list->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        Click(list->Handle(), r.left + 60, (r.top + r.bottom) / 2);
        for (int i = 0; i < 100 && !IsWindowEnabled(frmMyColors->btnOK->Handle()); ++i) Sleep(10);
        EXPECT_TRUE(IsWindowEnabled(frmMyColors->btnOK->Handle()));
        EXPECT_TRUE(IsWindowEnabled(frmMyColors->btnDelete->Handle()));
        EXPECT_EQ(list->Selected(), 0);
        PostMessageW(frmMyColors->btnOK->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(F->CurrentColor(), MakeColor(255, 128, 0));
    EXPECT_EQ(F->spiG->Value(), 128);
    EXPECT_EQ(F->edtHtml->Text(), L"#FF8000");
    EXPECT_EQ(F->spiH->Value(), 20);
}

TEST_F(DialogTest, DeleteAsksFirstAndReloadsWithoutSelection) {
    SaveLines({"03072026140509=#FF8000a", "03072026140510=#00FF00b"});
    std::string before = FileText();
    WithUser(TCommandId::MyColors, [&] {
        WaitWindow(L"TfrmMyColors");
        TListView* list = frmMyColors->lvwColors;
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
        Click(list->Handle(), r.left + 60, (r.top + r.bottom) / 2);
        for (int i = 0; i < 100 && !IsWindowEnabled(frmMyColors->btnDelete->Handle()); ++i) Sleep(10);
        PostMessageW(frmMyColors->btnDelete->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(Answer(IDNO), L"Do you really want to delete it?");
        Sleep(100);
        EXPECT_EQ(FileText(), before) << "No changes nothing";
        EXPECT_EQ(list->Selected(), 1) << "the row stays selected";
        PostMessageW(frmMyColors->btnDelete->Handle(), BM_CLICK, 0, 0);
        Answer(IDYES);
        for (int i = 0; i < 100 && list->Count() != 1; ++i) Sleep(10);
        EXPECT_EQ(list->Count(), 1);
        EXPECT_EQ(list->SubItem(0, 1), L"#FF8000");
        EXPECT_EQ(list->SelCount(), 0);
        EXPECT_FALSE(IsWindowEnabled(frmMyColors->btnOK->Handle()));
        EXPECT_FALSE(IsWindowEnabled(frmMyColors->btnDelete->Handle()));
        PostMessageW(frmMyColors->btnCancel->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(FileText().find("03072026140510"), std::string::npos);
    EXPECT_NE(FileText().find("03072026140509=#FF8000a"), std::string::npos);
    EXPECT_EQ(F->CurrentColor(), 0xFFFFFFu) << "Cancel leaves the colour";
}

// Delete once rebuilt the key from the time text shown, which holds a key's first 14
// characters only: for the longer hand-made key it removed the other entry.
TEST_F(DialogTest, DeleteOfAKeyLongerThan14CharactersRemovesThatLineNotTheOneSharingItsStart) {
    SaveLines({"20240101120000=#FF0000a", "20240101120000x=#00FF00b"});
    std::string before = FileText();
    const std::string line = "20240101120000x=#00FF00b\r\n";
    ASSERT_NE(before.find(line), std::string::npos) << before;
    WithUser(TCommandId::MyColors, [&] {
        WaitWindow(L"TfrmMyColors");
        TListView* list = frmMyColors->lvwColors;
        EXPECT_EQ(list->SubItem(0, 2), list->SubItem(1, 2)) << "both rows show the same time";
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
        Click(list->Handle(), r.left + 60, (r.top + r.bottom) / 2);
        for (int i = 0; i < 100 && !IsWindowEnabled(frmMyColors->btnDelete->Handle()); ++i) Sleep(10);
        EXPECT_EQ(list->Selected(), 1);
        PostMessageW(frmMyColors->btnDelete->Handle(), BM_CLICK, 0, 0);
        Answer(IDYES);
        for (int i = 0; i < 100 && list->Count() != 1; ++i) Sleep(10);
        EXPECT_EQ(list->Count(), 1);
        EXPECT_EQ(list->SubItem(0, 1), L"#FF0000");
        PostMessageW(frmMyColors->btnCancel->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(FileText(), before.erase(before.find(line), line.size()));
}

// ---- My colours with a store of any size ----

// Entry I of a large store, by a rule of its own: keys a second apart, colours spread over the
// cube, a comment that names the entry.
struct TStoreEntry {
    int Day, Hour, Minute, Second, R, G, B, Index;
    std::string Key() const { return Format("%02d%02d2026%02d%02d%02d", 3, Day, Hour, Minute, Second); }
    std::wstring ColorText() const { return AnsiToWide(Format("#%02X%02X%02X", R, G, B)); }
    std::wstring TimeText() const { return AnsiToWide(Format("03/%02d/2026 %02d:%02d:%02d", Day, Hour, Minute, Second)); }
    std::wstring Comment() const { return AnsiToWide(Format("entry %d", Index)); }
    static std::string Format(const char* pattern, int a, int b = 0, int c = 0, int d = 0, int e = 0) {
        char text[64];
        std::snprintf(text, sizeof text, pattern, a, b, c, d, e);
        return text;
    }
};
TStoreEntry StoreEntry(int i) {
    const unsigned c = static_cast<unsigned>(i) * 2654435761u;
    return {1 + i / 86400, i / 3600 % 24, i / 60 % 60, i % 60, int(c >> 24), int(c >> 16 & 255), int(c >> 8 & 255), i};
}
constexpr int kBigStore = 20000;
std::string BigStoreLine(int i) {
    const TStoreEntry e = StoreEntry(i);
    return e.Key() + "=" + WideToAnsi(e.ColorText() + e.Comment()) + "\r\n";
}
void WriteBigStore() {
    std::string file = "[COLORS]\r\n";
    for (int i = 0; i < kBigStore; ++i) file += BigStoreLine(i);
    FileHelpers::WriteBytes(TSettings::GetIniFileName(), file);
}

// A row's texts against the entry it should show.
void ExpectRow(TListView* list, int row, int entry) {
    const TStoreEntry e = StoreEntry(entry);
    EXPECT_EQ(list->SubItem(row, 0) + L"|" + list->SubItem(row, 1) + L"|" + list->SubItem(row, 2) + L"|" + list->SubItem(row, 3),
              L"|" + e.ColorText() + L"|" + e.TimeText() + L"|" + e.Comment())
        << "row " << row;
}

// The swatch of a row as the list paints it: the middle of its image in the colour, framed
// in black. Read from the screen after the row is scrolled into view.
void ExpectPaintedSwatch(TListView* list, int row) {
    const TStoreEntry e = StoreEntry(row);
    SendMessageW(list->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    UpdateWindow(list->Handle());
    RECT r{};
    r.left = LVIR_ICON;
    SendMessageW(list->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const int w = frmMyColors->ImageList1.Width(), h = frmMyColors->ImageList1.Height();
    const int left = r.left + (r.right - r.left - w) / 2, top = r.top + (r.bottom - r.top - h) / 2;
    HDC dc = GetDC(list->Handle());
    const TColor inside = GetPixel(dc, left + w / 2, top + h / 2), frame = GetPixel(dc, left + w - 1, top + h - 1);
    ReleaseDC(list->Handle(), dc);
    EXPECT_EQ(inside, MakeColor(e.R, e.G, e.B)) << "row " << row;
    EXPECT_EQ(frame, 0u) << "row " << row;
}

TEST_F(DialogTest, TwentyThousandSavedColoursShowTheirRowsAndSwatchesWithoutAnImageForEach) {
    WriteBigStore();
    WithUser(TCommandId::MyColors, [&] {
        WaitWindow(L"TfrmMyColors");
        TListView* list = frmMyColors->lvwColors;
        ASSERT_EQ(list->Count(), kBigStore);
        EXPECT_LT(frmMyColors->ImageList1.Count(), 100) << "images for the rows in view, not for every entry";
        for (int row : {0, kBigStore / 2, kBigStore - 1}) {
            ExpectRow(list, row, row);
            ExpectPaintedSwatch(list, row);
        }
        // Typing looks for a row by its caption, which is empty in every row.
        SendMessageW(list->Handle(), WM_CHAR, L'e', 1);
        EXPECT_EQ(list->Selected(), -1);
        // A row out of view (as a screen reader asks for it) gets its own colour too.
        HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
        HGDIOBJ old = SelectObject(dc, bitmap);
        ImageList_Draw(frmMyColors->ImageList1.Handle(), list->ImageIndex(1), dc, 0, 0, ILD_NORMAL);
        EXPECT_EQ(GetPixel(dc, 16, 8), MakeColor(StoreEntry(1).R, StoreEntry(1).G, StoreEntry(1).B));
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        PostKey(list->Handle(), VK_ESCAPE);
    });
}

// Delete takes the row's own line and nothing else; the row keeps the selection and shows the
// entry after the deleted one.
TEST_F(DialogTest, DeleteAmongTwentyThousandKeepsTheNeighboursAndTheSelectedRow) {
    WriteBigStore();
    constexpr int kRow = kBigStore / 2;
    std::string expected = FileText();
    expected.erase(expected.find(BigStoreLine(kRow)), BigStoreLine(kRow).size());
    WithUser(TCommandId::MyColors, [&] {
        WaitWindow(L"TfrmMyColors");
        TListView* list = frmMyColors->lvwColors;
        SendMessageW(list->Handle(), LVM_ENSUREVISIBLE, kRow, FALSE);
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(list->Handle(), LVM_GETITEMRECT, kRow, reinterpret_cast<LPARAM>(&r));
        Click(list->Handle(), r.left + 60, (r.top + r.bottom) / 2);
        ASSERT_TRUE(UserDriver::WaitUntil([&] { return IsWindowEnabled(frmMyColors->btnDelete->Handle()) != FALSE; }, kWaitMs));
        PostMessageW(frmMyColors->btnDelete->Handle(), BM_CLICK, 0, 0);
        Answer(IDYES);
        ASSERT_TRUE(UserDriver::WaitUntil([&] { return list->Count() == kBigStore - 1; }, kWaitMs));
        for (const auto& [row, entry] : {std::pair{kRow - 1, kRow - 1}, {kRow, kRow + 1}, {kBigStore - 2, kBigStore - 1}})
            ExpectRow(list, row, entry);
        EXPECT_EQ(list->Selected(), kRow);
        EXPECT_TRUE(IsWindowEnabled(frmMyColors->btnDelete->Handle()));
        ExpectPaintedSwatch(list, kRow - 1);
        PostKey(list->Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(FileText(), expected);
}

// ---- About ----

TEST_F(DialogTest, AboutCentresItsLinesWhateverTheTitleAndMutesTheIcon) {
    for (const wchar_t* title : {L"Q", L"Quillora", L"Quillora with a much longer title"}) {
        SetWindowTextW(Application.Handle(), title);
        WithUser(TCommandId::About, [&] {
            WaitWindow(L"TfrmAbout");
            TfrmAbout* a = frmAbout;
            EXPECT_EQ(a->Caption(), L"About");
            EXPECT_EQ(a->lblTitle->Caption(), title);
            EXPECT_EQ(a->lblVersion->Caption(), L"Version 6.20");
            EXPECT_EQ(a->lblCopyright->Caption(), L"Copyright (C) 2008");
            for (TControl* c : {static_cast<TControl*>(a->lblTitle), static_cast<TControl*>(a->lblVersion),
                                static_cast<TControl*>(a->lblCopyright)})
                EXPECT_EQ(c->Left(), (295 - c->Width()) / 2) << WideToUtf8(c->Caption());
            EXPECT_EQ(a->imgIcon->Left() + a->imgIcon->Width() + 10, a->lblTitle->Left());
            EXPECT_EQ(a->lblTitle->Top(), 25);
            EXPECT_EQ(F->TrayIcon().uCallbackMessage, 0u) << "muted while open";
            EXPECT_FALSE(IsWindowEnabled(F->Handle())) << "the main window waits";
            PostKey(a->btnOK->Handle(), VK_RETURN);
        });
        EXPECT_EQ(F->TrayIcon().uCallbackMessage, 1025u) << "unmuted after";
    }
    SetWindowTextW(Application.Handle(), L"Quillora");
}

TEST_F(DialogTest, AboutClosesByEnterEscOkAndCloseBox) {
    std::function<void(TfrmAbout*)> ways[] = {
        [](TfrmAbout* a) { PostKey(a->btnOK->Handle(), VK_RETURN); },
        [](TfrmAbout* a) { PostKey(a->btnOK->Handle(), VK_ESCAPE); },
        [](TfrmAbout* a) { PostMessageW(a->btnOK->Handle(), BM_CLICK, 0, 0); },
        [](TfrmAbout* a) { PostMessageW(a->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (auto& close : ways) {
        WithUser(TCommandId::About, [&] {
            WaitWindow(L"TfrmAbout");
            close(frmAbout);
        });
        EXPECT_EQ(FindWindowW(L"TfrmAbout", nullptr), nullptr);
    }
}

TEST_F(DialogTest, LinksOpenOnceOnTheLeftReleaseAndTheMenuItemsOpenThemToo) {
    std::vector<std::string> opened;
    Links::OnOpen = [&](const std::string& file, const std::string& params) { opened.push_back(file + "|" + params); };
    TColor pressedColour = 0;
    WithUser(TCommandId::About, [&] {
        WaitWindow(L"TfrmAbout");
        TfrmAbout* a = frmAbout;
        HWND h = a->Handle();
        int x = a->lblEmail2->Left() + 3, y = a->lblEmail2->Top() + 3;
        PostMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        PostMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
        PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        for (int i = 0; i < 100 && a->lblEmail2->Font().Color != clRed; ++i) Sleep(10);
        pressedColour = a->lblEmail2->Font().Color;
        PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x + 150, y + 40));  // released elsewhere
        int wx = a->lblWebsite2->Left() + 3, wy = a->lblWebsite2->Top() + 3;
        Click(h, wx, wy);
        Sleep(200);
        EXPECT_EQ(a->lblEmail2->Font().Color, clBlue);
        PostKey(a->btnOK->Handle(), VK_RETURN);
    });
    EXPECT_EQ(pressedColour, clRed);
    F->mnuControl.Find(TCommandId::Email)->OnClick();
    F->mnuControl.Find(TCommandId::Website)->OnClick();
    EXPECT_EQ(opened, (std::vector<std::string>{"mailto:support@quillora.org|", "https://www.quillora.org/|",
                                                "mailto:support@quillora.org|", "https://www.quillora.org/|"}));
}

// ---- Contrast ----

// The dialog opens on the current colour over white, then over the last background of the
// run; the figures follow every change: a swap, a saved colour chosen as the background.
TEST_F(DialogTest, ContrastOpensOnTheCurrentColourAndItsFiguresFollowEachChange) {
    TfrmContrast::LastBackground = clWhite;
    SaveLines({"20260101120000=#000000night", "20260101120001=#767676grey"});
    F->spiR->SetValue(0x76);
    F->spiG->SetValue(0x76);
    F->spiB->SetValue(0x76);
    auto verdicts = [] {
        std::wstring v;
        for (TEdit* e : frmContrast->edtVerdicts) v += e->Text() + L";";
        return v;
    };
    std::vector<std::wstring> seen;
    WithUser(TCommandId::Contrast, [&] {
        HWND dlg = WaitWindow(L"TfrmContrast");
        TfrmContrast& d = *frmContrast;
        seen = {d.edtFore->Text(), d.edtBack->Text(), d.edtRatio->Text(), verdicts(), d.edtVisionRatios[4]->Text()};
        SendMessageW(d.btnSwap->Handle(), BM_CLICK, 0, 0);
        seen.push_back(d.edtFore->Text() + d.edtBack->Text());
        EXPECT_EQ(d.cboFavorites->Count(), 2);
        SendMessageW(d.cboFavorites->Handle(), CB_SETCURSEL, 0, 0);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(d.cboFavorites->Handle()));
        seen.insert(seen.end(), {d.edtBack->Text(), d.edtRatio->Text(), verdicts()});
        // White at half opacity on black is judged as #808080: no foreground reaches 7:1 then.
        d.spiOpacity->SetValue(50);
        seen.insert(seen.end(), {d.edtRatio->Text(), verdicts(), d.btnSuggestions[1]->Caption()});
        EXPECT_FALSE(d.btnSuggestions[1]->Enabled());
        SendMessageW(d.btnCopy->Handle(), BM_CLICK, 0, 0);
        PostKey(d.btnClose->Handle(), VK_ESCAPE);
    });
    const std::vector<std::wstring> expected = {
        L"#767676", L"#FFFFFF", L"4.54:1", L"通过;通过;不通过;通过;通过;", L"4.54:1", L"#FFFFFF#767676",
        L"#000000", L"21.00:1", L"通过;通过;通过;通过;通过;",
        L"5.31:1", L"通过;通过;不通过;通过;通过;", L"前景 AAA：无法达到"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(TfrmContrast::LastOpacity, 50) << "the next opening starts on it";
    TfrmContrast::LastOpacity = 100;
    EXPECT_EQ(Clipboard::WideText(Application.Handle()),
              L"前景 #FFFFFF\r\n背景 #000000\r\n前景不透明度：50%\r\n叠加后的颜色：#808080\r\n对比度 5.31:1\r\n"
              L"AA 正常文字 通过\r\nAA 大号文字 通过\r\nAAA 正常文字 不通过\r\nAAA 大号文字 通过\r\n图形与界面元素 通过");
}

// ---- Variations ----

// The arrows move the selection within a row and to the same place in the next, or to the last
// swatch of a shorter one, stopping at the edges; Tab leaves for the buttons; a click selects
// and a double click makes the swatch the current colour. 保存颜色 saves the selected colour,
// here the blend's end, the second colour.
TEST_F(DialogTest, VariationsKeysMoveTheSelectionAndADoubleClickTakesIt) {
    F->spiR->SetValue(0x00);
    F->spiG->SetValue(0xC8);
    F->spiB->SetValue(0xFF);
    TfrmVariations::SecondColor = RGB(0xE0, 0x11, 0x5F);
    struct TStep { WPARAM Key; int Presses, Row, Index; };
    const TStep steps[] = {{VK_RIGHT, 1, 0, 5}, {VK_RIGHT, 4, 0, 8}, {VK_DOWN, 1, 1, 1}, {VK_DOWN, 1, 2, 1},
                           {VK_UP, 2, 0, 1},    {VK_LEFT, 2, 0, 0},  {VK_UP, 1, 0, 0},   {VK_DOWN, 7, 6, 0},
                           {VK_RIGHT, 9, 6, 8}};
    std::vector<std::wstring> seen;
    WithUser(TCommandId::Variations, [&] {
        HWND dlg = WaitWindow(L"TfrmVariations");
        TfrmVariations& d = *frmVariations;
        TSwatchGrid& grid = *d.grdSwatches;
        seen = {d.edtHex->Text(), d.edtRgb->Text(), d.edtOklch->Text(), grid.AccessibleName()};
        for (const TStep& s : steps) {
            for (int i = 0; i < s.Presses; ++i) SendMessageW(grid.Handle(), WM_KEYDOWN, s.Key, 0);
            EXPECT_EQ(std::make_pair(grid.Row(), grid.Index()), std::make_pair(s.Row, s.Index)) << "key " << s.Key;
        }
        PostKey(grid.Handle(), VK_TAB);
        EXPECT_TRUE(UserDriver::WaitUntil([&] { return UserDriver::FocusOf(dlg) == d.btnOther->Handle(); }, kWaitMs));
        PostMessageW(d.btnSave->Handle(), BM_CLICK, 0, 0);
        WaitWindow(L"TfrmSaveColor");
        EXPECT_EQ(frmSaveColor->edtValue->Text(), L"#E0115F") << "the blend's end, the second colour";
        PostKey(frmSaveColor->edtComment->Handle(), VK_ESCAPE);
        EXPECT_TRUE(UserDriver::WaitUntil([] { return !FindWindowW(L"TfrmSaveColor", nullptr); }, kWaitMs));
        const RECT r = grid.SwatchRect(3, 2);
        Click(grid.Handle(), r.left + 3, r.top + 3);
        EXPECT_TRUE(UserDriver::WaitUntil([&] { return grid.Row() == 3 && grid.Index() == 2; }, kWaitMs));
        seen.insert(seen.end(), {d.edtHex->Text(), grid.AccessibleName()});
        Click(grid.Handle(), r.left + 4, r.top + 4);  // the second click of a double click
    });
    const std::vector<std::wstring> expected = {L"#00C8FF", L"rgb(0, 200, 255)", L"oklch(77.62% 0.1493 226.59)",
                                                L"明暗 5：#00C8FF", L"#C2BC35", L"三角 3：#C2BC35"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(F->CurrentColor(), RGB(0xC2, 0xBC, 0x35)) << "the double click took the swatch";
    TfrmVariations::SecondColor = clWhite;
}

// ---- Export and import ----

// The file dialog's name box is an edit inside one or two combo boxes, its only visible edit.
BOOL CALLBACK FindVisibleEdit(HWND h, LPARAM found) {
    wchar_t cls[16] = L"";
    GetClassNameW(h, cls, 16);
    if (wcscmp(cls, L"Edit") != 0 || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

// In the open or save dialog titled Title: the file type Type (1-based, 0 leaves it) and the
// name Name, then OK.
void ChooseFile(const wchar_t* title, const std::string& name, int type = 0) {
    HWND dlg = UserDriver::WaitWindow(L"#32770", kWaitMs, title);
    if (!dlg) return;
    if (type > 0) {
        HWND types = GetDlgItem(dlg, cmb1);
        SendMessageW(types, CB_SETCURSEL, type - 1, 0);
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})  // systems differ in the one they follow
            SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
    }
    HWND edit = nullptr;
    EnumChildWindows(dlg, &FindVisibleEdit, reinterpret_cast<LPARAM>(&edit));
    SetWindowTextW(edit, AnsiToWide(name).c_str());
    PostMessageW(dlg, WM_COMMAND, IDOK, 0);
}

std::string Folder() { return TSettings::GetIniFileName().substr(0, TSettings::GetIniFileName().rfind('\\')); }

TEST_F(DialogTest, ExportWritesTheSavedColoursInTheFormatTheNameOrTheChosenTypeGives) {
    SaveLines({"07032026140509=#FF8000sky, warm", "01012020101011=#00FF00"});
    const struct {
        const char* Typed;
        int Type;
        const char* Written;
        const char* Start;
    } kCases[] = {
        {"fav", 1, "fav.gpl",
         "GIMP Palette\nName: Quillora\nColumns: 0\n#\n255 128   0\tsky, warm\n  0 255   0\t01/01/2020 10:10:11\n"},
        {"fav.JSON", 4, "fav.JSON",
         "[\n  {\"color\": \"#FF8000\", \"comment\": \"sky, warm\", \"saved\": \"2026-07-03T14:05:09\"},\n"},
        {"fav.txt", 4, "fav.txt.css", ":root {\n  --color-1: #ff8000; /* sky, warm */\n  --color-2: #00ff00;\n}\n"},
        {"fav", 2, "fav.ase", "ASEF\0\1\0\0\0\0\0\2"},
    };
    for (const auto& c : kCases) {
        const std::string written = Folder() + "\\" + c.Written;
        DeleteFileA(written.c_str());  // a file left by an earlier run would bring up a question
        WithUser(TCommandId::Export, [&] { ChooseFile(L"导出喜爱的颜色", Folder() + "\\" + c.Typed, c.Type); });
        const std::string start(c.Start, c.Type == 2 ? 12 : std::strlen(c.Start));
        EXPECT_EQ(FileHelpers::ReadBytes(written).substr(0, start.size()), start) << c.Typed;
        DeleteFileA(written.c_str());
    }
}

TEST_F(DialogTest, ImportAddsTheNewColoursBehindTheOthersAndRefusesADamagedFileWhole) {
    SaveLines({"07032026140509=#FF8000sky, warm"});
    const std::string good = Folder() + "\\in.json", bad = Folder() + "\\bad.gpl";
    FileHelpers::WriteBytes(good, R"j([{"color": "#FF8000", "comment": "sky, warm"},
        {"color": "#0000ff", "name": "blue; deep", "saved": "2026-07-03T14:05:09"},
        {"color": "rgb(0, 255, 0)", "saved": "2025-01-02T03:04:05"}])j");
    WithUser(TCommandId::Import, [&] {
        ChooseFile(L"导入喜爱的颜色", good);
        EXPECT_EQ(Answer(IDOK), L"导入了 2 个颜色，跳过 1 个");
    });
    const std::vector<std::string> lines = TSettings::ReadColorLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(14), "=#0000FFblue, deep") << "a taken time gives way to now";
    EXPECT_NE(lines[1].substr(0, 14), "07032026140509");
    EXPECT_EQ(lines[2], "01022025030405=#00FF00");

    const std::string before = FileText();
    FileHelpers::WriteBytes(bad, "GIMP Palette\n255 0 0 red\n300 0 0 too red\n");
    WithUser(TCommandId::Import, [&] {
        ChooseFile(L"导入喜爱的颜色", bad);
        EXPECT_EQ(Answer(IDOK).rfind(L"无法读取文件 " + AnsiToWide(bad) + L"：", 0), 0u);
    });
    EXPECT_EQ(FileText(), before);
    DeleteFileA(good.c_str());
    DeleteFileA(bad.c_str());
}

// ---- Placement ----

// ---- Own formats ----

// The dialog lists the formats that read, in key order; a format must be usable before 确定 is
// enabled; 确定 stores the new order at the keys an unreadable line leaves free, and the copy
// after picks follows its format there, or falls back to none when the format is deleted.
TEST_F(DialogTest, OwnFormatsAreCheckedOrderedStoredAndListedInTheMenus) {
    FileHelpers::WriteBytes(TSettings::GetIniFileName(),
                            "[FORMATS]\r\n3=Dec\t{r}\r\n2=no tab\r\n1=Hex\t#{hex}\r\n");
    F->SetAutoCopy(SettingsTable::kOwnAutoCopy + 3);
    auto text = [](TControl* c) {
        wchar_t t[256] = L"";
        GetWindowTextW(c->Handle(), t, 256);
        return std::wstring(t);
    };
    auto type = [&](TEdit* edit, const wchar_t* typed, const wchar_t* error) {
        SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
        EXPECT_EQ(text(frmFormats->edtError), error) << typed;
        EXPECT_EQ(IsWindowEnabled(frmFormats->btnOK->Handle()), !*error) << typed;
    };
    WithUser(TCommandId::EditFormats, [&] {
        WaitWindow(L"TfrmFormats");
        TListView* list = frmFormats->lvwFormats;
        ASSERT_TRUE(UserDriver::WaitUntil([&] { return list->Selected() == 0 && list->Count() == 2; }, kWaitMs));
        EXPECT_EQ(list->SubItem(0, 0) + list->SubItem(1, 0), L"HexDec");
        list->Select(1);
        type(frmFormats->edtTemplate, L"rgb({r}, {q})", L"第 10 个字符：未知的占位符 {q}");
        type(frmFormats->edtTemplate, L"{r", L"第 1 个字符：缺少 }");
        type(frmFormats->edtTemplate, L"rgb({r}, {g}, {b})", L"");
        type(frmFormats->edtName, L"HEX", L"已有同名的格式");
        type(frmFormats->edtName, L"Dec", L"");
        EXPECT_EQ(text(frmFormats->edtPreview), L"rgb(255, 255, 255)");
        PostMessageW(frmFormats->btnUp->Handle(), BM_CLICK, 0, 0);
        UserDriver::WaitUntil([&] { return list->SubItem(0, 0) == L"Dec"; }, kWaitMs);
        PostMessageW(frmFormats->btnOK->Handle(), BM_CLICK, 0, 0);
    });
    const std::string file = FileText();
    EXPECT_NE(file.find("[FORMATS]\r\n2=no tab\r\n1=Dec\trgb({r}, {g}, {b})\r\n3=Hex\t#{hex}\r\n"), std::string::npos)
        << file;
    EXPECT_NE(file.find("autocopy=f1"), std::string::npos) << file;
    F->mnuColor.OnPopup();
    std::vector<std::wstring> shown;
    F->mnuColor.ForEach([&](TMenuItem& item) {
        if (item.Visible && F->OwnFormatMenu().Owns(item.Command))
            shown.push_back(item.Caption + (item.Checked ? L" *" : L""));
    });
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Dec\trgb(255, 255, 255)", L"Hex\t#FFFFFF", L"Dec *", L"Hex"}));
    F->CopyOwnFormat(0, true);
    EXPECT_EQ(Clipboard::WideText(Application.Handle()), L"rgb(255, 255, 255)");
    WithUser(TCommandId::EditFormats, [&] {
        WaitWindow(L"TfrmFormats");
        UserDriver::WaitUntil([&] { return frmFormats->lvwFormats->Selected() == 0; }, kWaitMs);
        PostMessageW(frmFormats->btnDelete->Handle(), BM_CLICK, 0, 0);
        UserDriver::WaitUntil([&] { return frmFormats->lvwFormats->Count() == 1; }, kWaitMs);
        PostMessageW(frmFormats->btnOK->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_NE(FileText().find("autocopy=0"), std::string::npos) << "the copied format is gone";
    EXPECT_TRUE(Errors.empty());
}

TEST_F(DialogTest, OnOneMonitorEveryDialogOpensInTheScreensMiddleWhereverTheMainWindowIs) {
    SetWindowPos(F->Handle(), nullptr, 900, 450, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::pair<TCommandId, const wchar_t*> dialogs[] = {
        {TCommandId::SaveColor, L"TfrmSaveColor"}, {TCommandId::MyColors, L"TfrmMyColors"},
        {TCommandId::About, L"TfrmAbout"}, {TCommandId::Contrast, L"TfrmContrast"}};
    for (const auto& [item, cls] : dialogs) {
        RECT r{};
        WithUser(item, [&] {
            HWND dlg = WaitWindow(cls);
            GetWindowRect(dlg, &r);
            PostMessageW(dlg, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << WideToUtf8(cls);
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2) << WideToUtf8(cls);
    }
}
}  // namespace
