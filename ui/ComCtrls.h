// Common controls: the status bar, the report list and its image list.
#pragma once
#include "Controls.h"
#include <commctrl.h>
#include <vector>

// A status bar with one panel reaching across the whole bar, placed where the layout says
// rather than docked by the system.
class TStatusBar : public TWinControl {
public:
    using TWinControl::TWinControl;
    void SetPanelText(const wchar_t* text);
    void SetPanelText(const std::wstring& text) { SetPanelText(text.c_str()); }
    std::wstring PanelText() const;
protected:
    TCreateParams CreateParams() const override;
    void HandleCreated() override;
private:
    std::wstring FPanelText;  // until the window is made
};

// The tips a form's controls show when the mouse rests on them. Made with the form's window
// (call Add once the controls' windows are there); goes with it.
class TToolTips {
public:
    TToolTips() = default;
    ~TToolTips();
    TToolTips(const TToolTips&) = delete;
    TToolTips& operator=(const TToolTips&) = delete;
    void Add(TWinControl& control, const std::wstring& text);

private:
    HWND FHandle = nullptr;
};

// Images of one size, no masks. The list view that shows them borrows them: its window must go
// first.
class TImageList {
public:
    TImageList(int width, int height);
    ~TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;
    HIMAGELIST Handle() const { return FHandle; }
    // Another size for the images; the list is emptied. A list view showing it must be given
    // it again to take the new row height.
    void SetSize(int width, int height) { ImageList_SetIconSize(FHandle, width, height); }
    int Width() const;
    int Height() const;
    int Add(HBITMAP bitmap);  // returns the new image's index
    int Count() const { return ImageList_GetImageCount(FHandle); }
    void SetCount(int count) { ImageList_SetImageCount(FHandle, static_cast<UINT>(count)); }
    void Clear() { ImageList_RemoveAll(FHandle); }
    // Draws one image anew: Paint draws on a canvas of the images' size, which then takes the
    // image's place. One bitmap serves every call.
    void Draw(int index, const std::function<void(TCanvas&)>& paint);
private:
    HIMAGELIST FHandle;
    TMemoryDCHandle FScratchDC;
    TBitmapHandle FScratch;
};

// A list in report view: read-only, whole rows selected, at most one, columns not sortable.
class TListView : public TWinControl {
public:
    TListView(TWinControl* parent, int left, int top, int width, int height);
    // Owner data: the list holds only the number of its rows and asks for a row's texts
    // (OnDataText, sub-item 0 the caption) and image (OnDataImage) whenever it shows them, so a
    // row costs nothing until it is seen. Set before the window is made; rows then come from
    // SetCount, not AddItem.
    bool OwnerData = false;
    std::function<std::wstring(int index, int subItem)> OnDataText;
    std::function<int(int index)> OnDataImage;
    // The number of rows of an owner-data list. The rows shown are asked for again; the view
    // does not scroll, and a selected row that is still there stays selected.
    void SetCount(int count);
    void AddColumn(const std::wstring& caption, int width);  // width at 96 DPI
    void SetSmallImages(const TImageList* images);
    void Clear();
    // A new row at the end: an empty caption with its image, then the sub-items.
    int AddItem(int imageIndex, const std::vector<std::wstring>& subItems);
    int Count() const;
    int SelCount() const;
    int Selected() const;  // the selected row, or -1
    void Select(int index);
    void ClearSelection();
    int TopIndex() const { return ListView_GetTopIndex(FHandle); }
    int CountPerPage() const { return ListView_GetCountPerPage(FHandle); }
    std::wstring SubItem(int index, int subItem) const;  // sub-item 1 is the second column
    void SetSubItem(int index, int subItem, const std::wstring& text);
    // The selection changed, by mouse, keyboard or code.
    std::function<void()> OnSelect;
    int ImageIndex(int index) const;
    int ColumnWidth(int column) const { return ListView_GetColumnWidth(FHandle, column); }
    void ChangeDpi(int dpi) override;
    bool TakesLabelName() const override { return true; }
protected:
    TCreateParams CreateParams() const override;
    void HandleCreated() override;
    LRESULT Notify(NMHDR* header) override;
private:
    struct TColumn {
        std::wstring Caption;
        int Width;
    };
    void InsertColumn(const TColumn& column);
    int FindCaption(const NMLVFINDITEMW& find) const;
    std::vector<TColumn> FColumns;
    const TImageList* FSmallImages = nullptr;
};
