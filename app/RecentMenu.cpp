#include "RecentMenu.h"
#include "notation/ColorText.h"
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
        // A square of the colour in a grey frame, so that white shows on a white menu: drawn
        // each time the open menu paints it, so no drawing object outlives the painting.
        c.DrawImage = [this, i](HDC dc, const RECT& square) {
            if (i >= FList.Count()) return;
            TBrushHandle frame(CreateSolidBrush(RGB(128, 128, 128))), fill(CreateSolidBrush(FList.Colors()[i]));
            FillRect(dc, &square, frame.Get());
            const RECT inside{square.left + 1, square.top + 1, square.right - 1, square.bottom - 1};
            FillRect(dc, &inside, fill.Get());
        };
        c.ImageSize = [this] { return FSwatchSize; };
    }
    // The other entries get an empty image, so that every caption starts in one column.
    const auto noImage = [this](TCommand& c) {
        c.DrawImage = [](HDC, const RECT&) {};
        c.ImageSize = [this] { return FSwatchSize; };
    };
    TCommand& none = FCommands.AddChild(C::Recent, TTextId::RecentNone, nullptr);
    none.Enabled = [] { return false; };
    none.Visible = [this] { return FList.Count() == 0; };
    noImage(none);
    FCommands.Add(C::Separator, L"-", nullptr).Parent = C::Recent;
    TCommand& keep = FCommands.AddSwitch(C::None, TTextId::KeepRecent, SettingsTable::TSettingId::KeepRecent);
    keep.Parent = C::Recent;
    noImage(keep);
    noImage(FCommands.AddChild(C::Recent, TTextId::ClearRecent, [this] {
        FList.Clear();
        Changed();
    }));
    // Checked: the list as it stands goes to the file; unchecked: the file's list goes.
    FOptions.OnApply(SettingsTable::TSettingId::KeepRecent, [this](int on) {
        if (!FStarted) return;
        on && FList.Count() ? TSettings::WriteRecent(FList) : TSettings::RemoveRecent();
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

// A kept list is written at every change; an empty one takes its section out. A file that
// cannot be written is reported once a run: a pick should not bring up the same box again and
// again.
void TRecentMenu::Changed() {
    FCommands.Refresh();
    if (!Kept()) return;
    try {
        FList.Count() ? TSettings::WriteRecent(FList) : TSettings::RemoveRecent();
    } catch (const std::exception& e) {
        if (!FWriteFailed) Application.HandleException(e);
        FWriteFailed = true;
    }
}
