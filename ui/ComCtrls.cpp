#include "ComCtrls.h"
#include <commctrl.h>
#include <algorithm>

TCreateParams TStatusBar::CreateParams() const {
    return {STATUSCLASSNAMEW, WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
}

void TStatusBar::HandleCreated() {
    int parts[1] = {-1};
    SendMessageW(FHandle, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    SetPanelText(FPanelText);
    FPanelText.clear();
}

void TStatusBar::SetPanelText(const wchar_t* text) {
    if (!FHandle) {
        FPanelText = text;
        return;
    }
    SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
}

std::wstring TStatusBar::PanelText() const {
    if (!FHandle) return FPanelText;
    auto n = LOWORD(SendMessageW(FHandle, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(FHandle, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(s.data()));
    s.resize(n);
    return s;
}

TImageList::TImageList(int width, int height)
    : FHandle(ImageList_Create(width, height, ILC_COLOR24, 4, 4)) {}

TImageList::~TImageList() { ImageList_Destroy(FHandle); }

int TImageList::Width() const {
    int w = 0, h = 0;
    ImageList_GetIconSize(FHandle, &w, &h);
    return w;
}

int TImageList::Height() const {
    int w = 0, h = 0;
    ImageList_GetIconSize(FHandle, &w, &h);
    return h;
}

int TImageList::Add(HBITMAP bitmap) { return ImageList_Add(FHandle, bitmap, nullptr); }

void TImageList::Draw(int index, const std::function<void(TCanvas&)>& paint) {
    const int width = Width(), height = Height();
    BITMAP size{};
    if (!FScratch || GetObjectW(FScratch.Get(), sizeof size, &size) != sizeof size || size.bmWidth != width ||
        size.bmHeight != height) {
        TScreenDC screen;
        FScratchDC.Reset(CreateCompatibleDC(screen.Get()));
        FScratch.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    }
    {
        // The list copies the image from the bitmap, which must not be in a DC then.
        TSelectObject selected(FScratchDC.Get(), FScratch.Get());
        TCanvas canvas(FScratchDC.Get());
        paint(canvas);
    }
    ImageList_Replace(FHandle, index, FScratch.Get(), nullptr);
}

TListView::TListView(TWinControl* parent, int left, int top, int width, int height)
    : TWinControl(parent, left, top, width, height) {
    FColor = clWindow;
}

TCreateParams TListView::CreateParams() const {
    return {WC_LISTVIEWW,
            WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | (OwnerData ? LVS_OWNERDATA : 0u),
            WS_EX_CLIENTEDGE};
}

void TListView::HandleCreated() {
    ListView_SetExtendedListViewStyle(FHandle, LVS_EX_FULLROWSELECT);
    for (const TColumn& c : FColumns) InsertColumn(c);
    SetSmallImages(FSmallImages);
}

void TListView::AddColumn(const std::wstring& caption, int width) {
    FColumns.push_back({caption, width});
    if (FHandle) InsertColumn(FColumns.back());
}

void TListView::InsertColumn(const TColumn& column) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.cx = Scale(column.Width);
    c.pszText = const_cast<wchar_t*>(column.Caption.c_str());
    int n = Header_GetItemCount(ListView_GetHeader(FHandle));
    SendMessageW(FHandle, LVM_INSERTCOLUMNW, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&c));
}

void TListView::ChangeDpi(int dpi) {
    TWinControl::ChangeDpi(dpi);
    if (!FHandle) return;
    for (size_t i = 0; i < FColumns.size(); ++i)
        ListView_SetColumnWidth(FHandle, static_cast<int>(i), Scale(FColumns[i].Width));
}

void TListView::SetSmallImages(const TImageList* images) {
    FSmallImages = images;
    if (FHandle) ListView_SetImageList(FHandle, images ? images->Handle() : nullptr, LVSIL_SMALL);
}

void TListView::Clear() { ListView_DeleteAllItems(FHandle); }

void TListView::SetCount(int count) {
    SendMessageW(FHandle, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
}

int TListView::AddItem(int imageIndex, const std::vector<std::wstring>& subItems) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = Count();
    item.pszText = const_cast<wchar_t*>(L"");
    item.iImage = imageIndex;
    int index = static_cast<int>(SendMessageW(FHandle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t i = 0; i < subItems.size(); ++i) SetSubItem(index, static_cast<int>(i) + 1, subItems[i]);
    return index;
}

void TListView::SetSubItem(int index, int subItem, const std::wstring& text) {
    LVITEMW sub{};
    sub.iSubItem = subItem;
    sub.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(FHandle, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
}

int TListView::Count() const { return ListView_GetItemCount(FHandle); }
int TListView::SelCount() const { return static_cast<int>(ListView_GetSelectedCount(FHandle)); }
int TListView::Selected() const { return ListView_GetNextItem(FHandle, -1, LVNI_SELECTED); }

void TListView::Select(int index) {
    ListView_SetItemState(FHandle, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void TListView::ClearSelection() { ListView_SetItemState(FHandle, -1, 0, LVIS_SELECTED); }

std::wstring TListView::SubItem(int index, int subItem) const {
    wchar_t text[1024] = L"";
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(FHandle, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

int TListView::ImageIndex(int index) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageW(FHandle, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

// Typing in an owner-data list: the first row from the start on (round to the top) whose
// caption begins with the typed text, in any case, as the list finds its own rows.
int TListView::FindCaption(const NMLVFINDITEMW& find) const {
    if (!OnDataText || !(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    const std::wstring typed = find.lvfi.psz;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const int row = (std::max(find.iStart, 0) + i) % count;
        if (!(find.lvfi.flags & LVFI_WRAP) && row < find.iStart) break;
        const std::wstring caption = OnDataText(row, 0);
        const bool whole = !(find.lvfi.flags & LVFI_PARTIAL);
        if (caption.size() >= typed.size() && (!whole || caption.size() == typed.size()) &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.c_str(), static_cast<int>(typed.size()),
                           typed.c_str(), static_cast<int>(typed.size())) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

LRESULT TListView::Notify(NMHDR* header) {
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            lstrcpynW(item.pszText, OnDataText ? OnDataText(item.iItem, item.iSubItem).c_str() : L"", item.cchTextMax);
        if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = OnDataImage ? OnDataImage(item.iItem) : -1;
        return 0;
    }
    if (header->code == LVN_ODFINDITEMW) return FindCaption(*reinterpret_cast<NMLVFINDITEMW*>(header));
    // A mouse click on a row or on empty space; a selection by keyboard is no click.
    if (header->code == NM_CLICK && OnClick) OnClick();
    if (header->code == LVN_ITEMCHANGED && OnSelect) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) OnSelect();
    }
    return 0;
}

// ---- TToolTips ----

TToolTips::~TToolTips() {
    if (FHandle) DestroyWindow(FHandle);
}

void TToolTips::Add(TWinControl& control, const std::wstring& text) {
    HWND form = GetAncestor(control.Handle(), GA_ROOT);
    if (!FHandle)
        FHandle = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!FHandle) return;  // no tips: the controls work without them
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // the control keeps a copy
    SendMessageW(FHandle, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
