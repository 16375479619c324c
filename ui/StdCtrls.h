// Labels, edits, buttons, the check box and the drop-down list.
#pragma once
#include "Controls.h"
#include "Handle.h"

class TLabel : public TGraphicControl {
public:
    TLabel(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);
    bool AutoSize = false;   // the label takes the size of its text
    bool AutoHeight = true;  // with AutoSize: its height too, not only its width
    void SetAutoSize(bool value) {
        AutoSize = value;
        AdjustSize();
    }
    bool Transparent = true; // the parent's surface shows behind the text
    bool Centered = false;   // text centred in the label's width
    void Paint(HDC dc) override;
    SIZE TextExtent() const;
    void ChangeDpi(int dpi) override;
protected:
    void CaptionChanged() override;
    void FontChanged() override;
private:
    void AdjustSize();
};

class TEdit : public TWinControl {
public:
    TEdit(TWinControl* parent, int left, int top, int width, int height, DWORD extraStyle = 0);
    std::function<void()> OnChange;
    std::wstring Text() const { return Caption(); }
    // Only a real change of the text reaches the control, and with it OnChange (before this
    // returns). Short texts are compared without touching the heap: a pick sets them all.
    void SetText(const wchar_t* text);
    void SetText(const std::wstring& text) { SetText(text.c_str()); }
    // The text in the system's code page, into a buffer of the caller's.
    int GetTextA(char* buffer, int size) const { return GetWindowTextA(FHandle, buffer, size); }
    void SetReadOnly(bool value);
    void SetMaxLength(int chars);
    bool Border = true;  // the sunken edge; set before the window is made
    bool TakesLabelName() const override { return true; }
protected:
    TCreateParams CreateParams() const override;
    void HandleCreated() override;
    void Command(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;
private:
    DWORD FExtraStyle;
    bool FReadOnly = false;
    int FMaxLength = 0;  // 0: the system's limit
};

class TButton : public TWinControl {
public:
    TButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);
    int ModalResult = 0;  // handed to the form when clicked
    void Click();
    // Drawn as the button that Enter presses.
    void SetDefault(bool value);
    // An icon in place of the caption, which stays the button's name for screen readers.
    void SetIcon(TIconHandle icon);
    // Set before the window is made: the button draws itself with this (the whole face; its
    // state: focused, pressed, disabled), and keeps its caption as its name.
    std::function<void(HDC dc, const RECT& r, UINT state)> OnDraw;
    // The caption is on the face (not only the name a screen reader reads).
    bool ShowsCaption() const { return !FIcon && !OnDraw; }
protected:
    TCreateParams CreateParams() const override;
    void HandleCreated() override;
    void Command(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
private:
    bool FDefault = false;
    TIconHandle FIcon;
};

class TCheckBox : public TWinControl {
public:
    TCheckBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);
    bool Checked() const { return FChecked; }
    // Every change of the state, by the user or by the program, runs OnClick; setting the
    // state it already has runs nothing.
    void SetChecked(bool value);
protected:
    TCreateParams CreateParams() const override;
    void HandleCreated() override;
    void Command(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;
private:
    bool FChecked = false;
};

// A drop-down list without typing.
class TComboBox : public TWinControl {
public:
    TComboBox(TWinControl* parent, int left, int top, int width, int height, int dropDownCount);
    void Clear();
    void Add(const std::wstring& item);
    // Count items in place of those there were, item I's text from Text(I). A long list fills
    // a share at a time whenever the program has nothing else to do, so that its window opens
    // at once; dropping the list down or giving it the focus adds the rest first.
    void SetItems(int count, std::function<std::wstring(int index)> text);
    int Count() const;
    std::wstring Item(int index) const;
    int ItemIndex() const;
    void SetItemIndex(int index);  // from code: no OnClick
    void SetDropDownCount(int rows);
    // Items drawn by OnDrawItem, each the given height at 96 DPI; set before the window is
    // made. OnDrawItem gets the item's rectangle (already filled with the selection or window
    // colour, the text colour set to match) and its index.
    void SetOwnerDraw(int itemHeight) { FOwnerDrawHeight = itemHeight; }
    std::function<void(HDC dc, const RECT& r, int index)> OnDrawItem;
    void ChangeDpi(int dpi) override;
    bool TakesLabelName() const override { return true; }
protected:
    TCreateParams CreateParams() const override;
    void HandleCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Command(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
private:
    void FitHeight();
    void AddItems(int count);
    int FDropDownCount;
    int FOwnerDrawHeight = 0;
    // The items SetItems gave, and how many of them are in the list.
    std::function<std::wstring(int index)> FItemText;
    int FItemCount = 0, FItemsAdded = 0;
};

// A button drawn by its parent: it never takes the focus.
class TSpeedButton : public TGraphicControl {
public:
    TSpeedButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);
    bool Flat = false;
    void Paint(HDC dc) override;
    void MouseDown(TMouseButton b, int x, int y) override;
    void MouseMove(int x, int y) override;
    void MouseUp(TMouseButton b, int x, int y) override;
    bool Pressed() const { return FPressed && FMouseInside; }
private:
    bool FPressed = false;
    bool FMouseInside = false;
};
