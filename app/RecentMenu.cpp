#include "RecentMenu.h"
#include "ColorText.h"
#include "Forms.h"
#include "Graphics.h"
#include "Text.h"

void TRecentMenu::AddCommands() {
    using C = TCommandId;
    FCommands.Add(C::Recent, TTextId::Recent, nullptr);
    for (size_t i = 0; i < TRecentColors::kMaxCount; ++i) {
        TCommand& c = FCommands.AddChild(C::Recent, L"", [this, i] {
            if (i < FList.Count()) FChoose(FList.Colors()[i]);
        });
        c.Visible = [this, i] { return i < FList.Count(); };
        // The first ten carry the access keys 1..9 and 0.
        c.Text = [this, i] {
            if (i >= FList.Count()) return std::wstring();
            const std::wstring hex = AnsiToWide(ColorText::FromColor(FList.Colors()[i]));
            return i < 10 ? L"&" + std::to_wstring((i + 1) % 10) + L" " + hex : hex;
        };
        c.Bitmap = [this, i] { return FSwatches[i].Get(); };
    }
    TCommand& none = FCommands.AddChild(C::Recent, TTextId::RecentNone, nullptr);
    none.Enabled = [] { return false; };
    none.Visible = [this] { return FList.Count() == 0; };
    FCommands.Add(C::Separator, L"-", nullptr).Parent = C::Recent;
    FCommands.AddSwitch(C::None, TTextId::KeepRecent, SettingsTable::TSettingId::KeepRecent).Parent = C::Recent;
    FCommands.AddChild(C::Recent, TTextId::ClearRecent, [this] {
        FList.Clear();
        Changed();
    });
    // Checked: the list as it stands goes to the file; unchecked: the file's list goes.
    FOptions.OnApply(SettingsTable::TSettingId::KeepRecent, [this](int keep) {
        if (!FStarted) return;
        if (keep)
            TSettings::WriteRecent(FList);
        else
            TSettings::RemoveRecent();
    });
}

void TRecentMenu::Start() {
    FStarted = true;
    if (Kept()) FList = TSettings::ReadRecent();
}

void TRecentMenu::Add(TColor color) {
    FList.Add(color);
    Changed();
}

// A kept list is written at every change. A file that cannot be written is reported once a
// run: a pick should not bring up the same box again and again.
void TRecentMenu::Changed() {
    FCommands.Refresh();
    if (!Kept()) return;
    try {
        TSettings::WriteRecent(FList);
    } catch (const std::exception& e) {
        if (!FWriteFailed) Application.HandleException(e);
        FWriteFailed = true;
    }
}

// A square of the colour inside a one-pixel grey frame, so that white shows on a white menu.
void TRecentMenu::MakeSwatches(int size) {
    TScreenDC screen;
    for (size_t i = 0; i < FList.Count(); ++i) {
        FSwatches[i].Reset(CreateCompatibleBitmap(screen.Get(), size, size));
        TMemoryDCHandle dc(CreateCompatibleDC(screen.Get()));
        HGDIOBJ old = SelectObject(dc.Get(), FSwatches[i].Get());
        const RECT all{0, 0, size, size}, inside{1, 1, size - 1, size - 1};
        TBrushHandle frame(CreateSolidBrush(RGB(128, 128, 128))), fill(CreateSolidBrush(FList.Colors()[i]));
        FillRect(dc.Get(), &all, frame.Get());
        FillRect(dc.Get(), &inside, fill.Get());
        SelectObject(dc.Get(), old);
    }
}

void TRecentMenu::FreeSwatches() {
    for (TBitmapHandle& swatch : FSwatches) swatch.Reset();
}
