// The spin editor: an edit with an up/down button pair at its right end.
#pragma once
#include "StdCtrls.h"

// The two arrow buttons. Holding one down repeats its step after 400 ms, then every 100 ms.
class TSpinButton : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::function<void(int step)> OnStep;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    static constexpr UINT kFirstRepeatMs = 400, kRepeatMs = 100;
protected:
    TCreateParams CreateParams() const override;
    void PaintWindow(HDC dc) override;
private:
    void Stop();
    int FPressed = 0;  // +1 up, -1 down, 0 none
};

// The value is the text. Setting it from code clamps it to MinValue..MaxValue and writes the
// decimal text; OnChange then runs inside the set, and only when the text really changed.
// With EditorEnabled off, typed characters are refused with a beep and paste and cut do
// nothing; the Delete key still edits, and the arrows and the Up/Down keys step by one.
class TSpinEdit : public TEdit {
public:
    TSpinEdit(TWinControl* parent, int left, int top, int width, int height, int minValue,
              int maxValue);
    int MinValue, MaxValue;
    int Increment = 1;
    bool EditorEnabled = false;
    int Value() const;  // a text that is not a whole number reads as MinValue
    void SetValue(int value);
    TSpinButton& Button() { return FButton; }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void ChangeDpi(int dpi) override;
    // The arrow buttons are read under the edit's name.
    void SetAccessibleName(const std::wstring& name) override {
        TEdit::SetAccessibleName(name);
        FButton.SetAccessibleName(name);
    }
protected:
    void HandleCreated() override;
private:
    void PlaceButton();
    void Step(int direction);
    TSpinButton FButton;
};
