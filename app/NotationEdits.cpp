#include "NotationEdits.h"
#include "Clipboard.h"
#include "Forms.h"
#include "Text.h"
#include "util/TextUtil.h"

void TNotationEdits::Attach(const std::array<TEdit*, kCount>& edits) {
    for (int tag = 1; tag <= kCount; ++tag) {
        TEdit* edit = edits[static_cast<size_t>(tag - 1)];
        FEdits[static_cast<size_t>(tag)] = edit;
        edit->OnChange = [this, edit] { Changed(edit); };
    }
}

void TNotationEdits::Show(TColor c) {
    for (int tag = 1; tag <= kCount; ++tag) {
        char text[32];
        Notations::Main(tag).Format(text, sizeof text, c);
        wchar_t wide[32];
        WidenAscii(text, wide, 32);
        // Kept here too: an edit whose window is not made yet reports no change.
        FValues[static_cast<size_t>(tag)] = text;
        Edit(tag)->SetText(wide);
    }
}

void TNotationEdits::Changed(TEdit* edit) {
    char text[64];  // a notation always fits; what the user types may not
    const int n = edit->GetTextA(text, sizeof text);
    std::string value = n < static_cast<int>(sizeof text) - 1 ? std::string(text, static_cast<size_t>(n))
                                                              : WideToAnsi(edit->Text());
    FValues.at(static_cast<size_t>(edit->Tag)) = TextUtil::Trim(value);
}

TNotationEdits::TTexts TNotationEdits::Texts() const {
    TTexts texts;
    for (int tag = 1; tag <= kCount; ++tag) texts[static_cast<size_t>(tag)] = Edit(tag)->Text();
    return texts;
}

void TNotationEdits::SetTexts(const TTexts& texts) {
    for (int tag = 1; tag <= kCount; ++tag) Edit(tag)->SetText(texts[static_cast<size_t>(tag)]);
}

void TNotationEdits::Copy(int tag) const { Clipboard::SetText(Application.Handle(), Value(tag)); }

void TNotationEdits::AddCopyAs(TCommandTable& commands, std::function<TColor()> color) const {
    for (int i = 0; i < Notations::kMoreCount; ++i) {
        const Notations::TNotation& n = Notations::More(i + 1);
        commands.AddChild(TCommandId::CopyAs, CopyAsCaption(i + 1), [&n, color] {
            Clipboard::SetText(Application.Handle(), n.Text(color()));
        }).Text = [&n, color] { return AnsiToWide(n.Text(color())); };
    }
}

void TNotationEdits::AddKeys(TCommandTable& commands) const {
    for (int tag = 1; tag <= kCount; ++tag)
        commands.AddChild(TCommandId::None, L"", [this, tag] { Copy(tag); }).Key = CtrlKeys::kNotations[tag - 1];
}

void TNotationEdits::AddAutoCopy(TCommandTable& commands) {
    for (int tag = 0; tag <= kCount; ++tag)
        commands.AddChoice(TCommandId::AutoCopy, tag ? NotationCaption(tag) : TTextId::AutoCopyNone,
                           SettingsTable::TSettingId::AutoCopy, tag);
}
