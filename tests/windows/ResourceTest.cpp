// The resources the program carries: icons, manifest and version information.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {
// White pixels of a 32-bit picture the icon is drawn on, and how many of them it covered.
struct TDrawn { bool CornerClear; int Covered; };

TDrawn DrawOnWhite(HICON icon, int size) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    auto* px = static_cast<DWORD*>(bits);
    std::fill(px, px + size * size, 0xFFFFFFu);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    TDrawn drawn{(px[(size - 1) * size] & 0xFFFFFF) == 0xFFFFFF, 0};
    for (int i = 0; i < size * size; ++i) drawn.Covered += (px[i] & 0xFFFFFF) != 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return drawn;
}

// Every image of every icon loads at its own size and draws: some pixels covered, the
// bottom-left corner clear. The About icon's larger images are PNG, decoded as they load.
TEST(ResourceTest, IconsLoadAndDrawAtTheirSizes) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    struct Icon { const wchar_t* name; std::vector<int> sizes; };
    const std::vector<int> cursorSizes{32, 40, 48, 56, 64, 80, 96};
    for (const Icon& i : {Icon{L"MAINICON", {32, 16}}, Icon{L"RES_MAINFORM_ADD", cursorSizes},
                          Icon{L"RES_MAINFORM_ROUND", cursorSizes}, Icon{L"RES_ABOUTFORM_ICON", {32, 48, 64}}}) {
        for (int size : i.sizes) {
            auto icon = static_cast<HICON>(LoadImageW(inst, i.name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            ASSERT_NE(icon, nullptr) << i.name << " at " << size;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bm{};
            GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, size) << i.name;
            EXPECT_EQ(info.xHotspot, static_cast<DWORD>(size / 2)) << "an icon's hot spot is its centre";
            const TDrawn drawn = DrawOnWhite(icon, size);
            EXPECT_TRUE(drawn.CornerClear) << i.name << " at " << size;
            EXPECT_GE(drawn.Covered, size / 2) << i.name << " at " << size;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

// On scaled screens the program loads the picker and the ring at 32 * DPI / 96 px: each size
// is an image of its own in the resource (its pixels are checked where the icons are built),
// so LoadImage never stretches the 32 px one.
TEST(ResourceTest, CursorIconsHoldAnImageForEachScaledSize) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    for (const wchar_t* name : {L"RES_MAINFORM_ADD", L"RES_MAINFORM_ROUND"}) {
        HRSRC group = FindResourceW(inst, name, RT_GROUP_ICON);
        ASSERT_NE(group, nullptr);
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(inst, group)));
        for (int s : {40, 48, 56, 64, 80, 96}) {
            const int id = LookupIconIdFromDirectoryEx(directory, TRUE, s, s, LR_DEFAULTCOLOR);
            HRSRC image = FindResourceW(inst, MAKEINTRESOURCEW(id), RT_ICON);
            ASSERT_NE(image, nullptr);
            const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(inst, image)));
            EXPECT_EQ(header->biWidth, s) << "no image of its own at " << s << " px";
        }
    }
}

TEST(ResourceTest, ManifestAsksForCommonControls6AndPerMonitorDpi) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(inst, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(res, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(inst, res)));
    std::string manifest(text, SizeofResource(inst, res));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("true/pm"), std::string::npos);
}

TEST(ResourceTest, VersionInformationNamesTheProductAndVersion) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeW(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    auto query = [&](const wchar_t* key) {
        void* value = nullptr;
        UINT len = 0;
        std::wstring sub = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        if (!VerQueryValueW(data.data(), sub.c_str(), &value, &len)) return std::wstring();
        return std::wstring(static_cast<wchar_t*>(value));
    };
    EXPECT_EQ(query(L"ProductName"), L"Quillora");
    EXPECT_EQ(query(L"ProductVersion"), L"6.20");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(20, 6));
}
}  // namespace
