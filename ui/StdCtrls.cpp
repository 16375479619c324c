#include "StdCtrls.h"
#include <commctrl.h>
#include <oleacc.h>
#include <algorithm>

namespace {
// Text drawn with a control's font on a DC whose origin is the control's top left.
void DrawControlText(HDC dc, const TControl& c, HFONT font, RECT r, UINT format) {
    TSelectObject f(dc, font);
    SetBkMode(dc, TRANSPARENT);
    COLORREF color = c.Enabled() ? ColorToRGB(c.Font().Color) : GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, color);
    std::wstring text = c.Caption();
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}
}  // namespace

// ---- TLabel ----

TLabel::TLabel(TWinControl* parent, int left, int top, int width, int height,
               const std::wstring& caption)
    : TGraphicControl(parent, left, top, width, height) {
    FCaption = caption;
}

SIZE TLabel::TextExtent() const {
    TScreenDC dc;
    TSelectObject f(dc.Get(), SharedFont(FFont, FDpi));
    RECT r{0, 0, 0, 0};
    std::wstring text = FCaption.empty() ? L" " : FCaption;
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return {r.right - r.left, r.bottom - r.top};
}

void TLabel::AdjustSize() {
    if (!AutoSize) return;
    SIZE s = TextExtent();
    SetBounds(Left(), Top(), s.cx, AutoHeight ? s.cy : Height());
}

void TLabel::ChangeDpi(int dpi) {
    TGraphicControl::ChangeDpi(dpi);
    AdjustSize();
}

void TLabel::CaptionChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    FFontHandle = nullptr;
    AdjustSize();
    Invalidate();
}

void TLabel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    if (!Transparent) FillRect(dc, &r, SolidBrush(FColor));
    UINT format = DT_SINGLELINE | DT_NOCLIP;
    if (Centered) format |= DT_CENTER;
    DrawControlText(dc, *this, FontHandle(), r, format);
}

// ---- TEdit ----

TEdit::TEdit(TWinControl* parent, int left, int top, int width, int height, DWORD extraStyle)
    : TWinControl(parent, left, top, width, height), FExtraStyle(extraStyle) {
    FColor = clWindow;
}

TCreateParams TEdit::CreateParams() const {
    DWORD style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | FExtraStyle;
    if (FReadOnly) style |= ES_READONLY;
    return {L"EDIT", style, Border ? static_cast<DWORD>(WS_EX_CLIENTEDGE) : 0};
}

void TEdit::HandleCreated() {
    if (FMaxLength) SetMaxLength(FMaxLength);
}

void TEdit::SetText(const wchar_t* text) {
    if (!FHandle) {
        FCaption = text;  // the window starts with it
        return;
    }
    size_t len = wcslen(text);
    wchar_t current[64];
    if (len < 63) {
        int n = GetWindowTextW(FHandle, current, 64);
        if (static_cast<size_t>(n) == len && wmemcmp(current, text, len) == 0) return;
    } else if (Caption() == text) {
        return;
    }
    SetWindowTextW(FHandle, text);
}

void TEdit::Command(WORD code) {
    if (code == EN_CHANGE && OnChange) OnChange();
}

HBRUSH TEdit::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(FFont.Color));
    SetBkColor(dc, ColorToRGB(FColor));
    return BackgroundBrush();
}

void TEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, value, 0);
}

void TEdit::SetMaxLength(int chars) {
    FMaxLength = chars;
    if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(chars), 0);
}

// ---- TButton ----

TButton::TButton(TWinControl* parent, int left, int top, int width, int height,
                 const std::wstring& caption)
    : TWinControl(parent, left, top, width, height) {
    FCaption = caption;
}

TCreateParams TButton::CreateParams() const {
    const DWORD kind = OnDraw ? BS_OWNERDRAW : FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return {L"BUTTON", WS_CHILD | WS_TABSTOP | kind | static_cast<DWORD>(FIcon ? BS_ICON : 0), 0};
}

void TButton::HandleCreated() {
    if (FIcon) SendMessageW(FHandle, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(FIcon.Get()));
}

void TButton::SetIcon(TIconHandle icon) {
    const TIconHandle shown = std::move(FIcon);  // freed once the button holds the new one
    FIcon = std::move(icon);
    if (!FHandle) return;
    SetWindowLongW(FHandle, GWL_STYLE, GetWindowLongW(FHandle, GWL_STYLE) | BS_ICON);
    SendMessageW(FHandle, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(FIcon.Get()));
}

bool TButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (!OnDraw) return false;
    OnDraw(item.hDC, item.rcItem, item.itemState);
    return true;
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    if (FHandle) SendMessageW(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (ModalResult != 0 && FParent) FParent->TakeModalResult(ModalResult);
    if (OnClick) OnClick();
}

void TButton::Command(WORD code) {
    if (code == BN_CLICKED) Click();
}

// ---- TCheckBox ----

TCheckBox::TCheckBox(TWinControl* parent, int left, int top, int width, int height,
                     const std::wstring& caption)
    : TWinControl(parent, left, top, width, height) {
    FCaption = caption;
}

TCreateParams TCheckBox::CreateParams() const {
    return {L"BUTTON", WS_CHILD | WS_TABSTOP | BS_CHECKBOX, 0};
}

void TCheckBox::HandleCreated() {
    if (FChecked) SendMessageW(FHandle, BM_SETCHECK, BST_CHECKED, 0);
}

void TCheckBox::SetChecked(bool value) {
    if (FChecked == value) return;
    FChecked = value;
    if (FHandle) SendMessageW(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

void TCheckBox::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(!FChecked);
}

HBRUSH TCheckBox::CtlColor(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FFont.Color));
    return BackgroundBrush();
}

// ---- TComboBox ----

TComboBox::TComboBox(TWinControl* parent, int left, int top, int width, int height,
                     int dropDownCount)
    : TWinControl(parent, left, top, width, height), FDropDownCount(dropDownCount) {
    FColor = clWindow;
}

TCreateParams TComboBox::CreateParams() const {
    const DWORD ownerDraw = FOwnerDrawHeight ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0;
    return {L"COMBOBOX", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | ownerDraw, 0};
}

void TComboBox::HandleCreated() {
    SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
    if (FOwnerDrawHeight) SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, Scale(FOwnerDrawHeight));
    FitHeight();
}

void TComboBox::ChangeDpi(int dpi) {
    TWinControl::ChangeDpi(dpi);
    if (FHandle && FOwnerDrawHeight) SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, Scale(FOwnerDrawHeight));
    if (FHandle) FitHeight();
}

bool TComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    if (item.itemID != static_cast<UINT>(-1) && OnDrawItem) OnDrawItem(item.hDC, item.rcItem, static_cast<int>(item.itemID));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

void TComboBox::FitHeight() {
    const int height = Height();
    // The closed box takes the height of the layout; its selection field is what is left
    // inside the 3D border.
    // (Wine reads the field's height back 2 more than was set: keep our own count.)
    auto field = SendMessageW(FHandle, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT r;
        GetWindowRect(FHandle, &r);
        int diff = height - (r.bottom - r.top);
        if (diff == 0) break;
        field += diff;
        SendMessageW(FHandle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void TComboBox::SetDropDownCount(int rows) {
    FDropDownCount = rows;
    if (FHandle) SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0);
}

namespace {
// Items added when the list is given, and at each turn of the timer after: a few milliseconds'
// work each time.
constexpr int kItemsAtOnce = 4000;
constexpr UINT_PTR kFillTimer = 0x5155;
}  // namespace

void TComboBox::Clear() {
    FItemCount = FItemsAdded = 0;
    KillTimer(FHandle, kFillTimer);
    SendMessageW(FHandle, CB_RESETCONTENT, 0, 0);
}

void TComboBox::Add(const std::wstring& item) {
    SendMessageW(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::SetItems(int count, std::function<std::wstring(int index)> text) {
    Clear();
    FItemText = std::move(text);
    FItemCount = count;
    AddItems(kItemsAtOnce);
}

// The list neither repaints nor sets its scroll bar after each item: an item at a time, that
// took seconds for 100 000 items.
void TComboBox::AddItems(int count) {
    const int last = std::min(FItemCount, FItemsAdded + count);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(FHandle, &info);
    if (info.hwndList) SendMessageW(info.hwndList, WM_SETREDRAW, FALSE, 0);
    for (; FItemsAdded < last; ++FItemsAdded) Add(FItemText(FItemsAdded));
    if (info.hwndList) SendMessageW(info.hwndList, WM_SETREDRAW, TRUE, 0);
    if (FItemsAdded < FItemCount) SetTimer(FHandle, kFillTimer, USER_TIMER_MINIMUM, nullptr);
    else KillTimer(FHandle, kFillTimer);
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Timer messages come when no input, posted message or repaint waits.
    if (msg == WM_TIMER && wp == kFillTimer) {
        AddItems(kItemsAtOnce);
        return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

int TComboBox::Count() const { return static_cast<int>(SendMessageW(FHandle, CB_GETCOUNT, 0, 0)); }

std::wstring TComboBox::Item(int index) const {
    auto n = SendMessageW(FHandle, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n < 0) return {};
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(FHandle, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) {
    SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::Command(WORD code) {
    if (code == CBN_DROPDOWN || code == CBN_SETFOCUS) AddItems(FItemCount);
    // A selection by mouse or keyboard; a selection from code sends no notification.
    if (code == CBN_SELCHANGE && OnClick) OnClick();
}

// ---- TSpeedButton ----

TSpeedButton::TSpeedButton(TWinControl* parent, int left, int top, int width, int height,
                           const std::wstring& caption)
    : TGraphicControl(parent, left, top, width, height) {
    AccessibleRole = ROLE_SYSTEM_PUSHBUTTON;
    FCaption = caption;
    FFont.Color = clBtnText;
}

void TSpeedButton::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    bool down = Pressed();
    if (Flat) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (down) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    }
    if (down) OffsetRect(&r, 1, 1);
    DrawControlText(dc, *this, FontHandle(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TSpeedButton::MouseDown(TMouseButton b, int x, int y) {
    TGraphicControl::MouseDown(b, x, y);
    if (b != TMouseButton::Left) return;
    FPressed = true;
    FMouseInside = true;
    Invalidate();
}

void TSpeedButton::MouseMove(int x, int y) {
    TGraphicControl::MouseMove(x, y);
    bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside != FMouseInside) {
        FMouseInside = inside;
        if (FPressed) Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton b, int x, int y) {
    TGraphicControl::MouseUp(b, x, y);
    if (b != TMouseButton::Left || !FPressed) return;
    bool click = FMouseInside && x >= 0 && y >= 0 && x < Width() && y < Height();
    FPressed = false;
    Invalidate();
    if (click && OnClick) OnClick();
}
