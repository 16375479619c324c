// The resources the program carries: icons, manifest and version information.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

#include "Handle.h"

namespace {
// An icon loaded at size x size, as Windows holds it: each pixel's colour, with the AND mask
// bit above it (0x01000000: the screen shows through). Empty when it is not that size.
std::vector<uint32_t> LoadedIconPixels(HINSTANCE inst, const wchar_t* name, int size) {
    const TIconHandle icon(static_cast<HICON>(LoadImageW(inst, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.Get(), &info)) return {};
    const TBitmapHandle colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (!colour || !GetObjectW(colour.Get(), sizeof bm, &bm) || bm.bmWidth != size || bm.bmHeight != size)
        return {};
    std::vector<uint32_t> pixels(size_t(size) * size), maskPixels(pixels.size());
    HDC screen = GetDC(nullptr);
    auto read = [&](HBITMAP bitmap, std::vector<uint32_t>& out) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = size;
        bi.bmiHeader.biHeight = -size;        // top-down, like the pixel art
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        return GetDIBits(screen, bitmap, 0, UINT(size), out.data(), &bi, DIB_RGB_COLORS) == size;
    };
    const bool ok = read(colour.Get(), pixels) && read(mask.Get(), maskPixels);
    ReleaseDC(nullptr, screen);
    if (!ok) return {};
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (pixels[i] & 0xFFFFFF) | ((maskPixels[i] & 0xFFFFFF) ? 0x01000000 : 0);
    return pixels;
}

TEST(ResourceTest, IconsLoadAtTheirSizes) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    struct Icon { const wchar_t* name; int size; };
    for (Icon i : {Icon{L"MAINICON", 32}, Icon{L"MAINICON", 16}, Icon{L"RES_MAINFORM_ADD", 32},
                   Icon{L"RES_MAINFORM_ROUND", 32}, Icon{L"RES_ABOUTFORM_ICON", 32},
                   Icon{L"RES_ABOUTFORM_ICON", 48}, Icon{L"RES_ABOUTFORM_ICON", 64}}) {
        auto icon = static_cast<HICON>(LoadImageW(inst, i.name, IMAGE_ICON, i.size, i.size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << i.name;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, i.size) << i.name;
        EXPECT_EQ(info.xHotspot, static_cast<DWORD>(i.size / 2)) << "an icon's hot spot is its centre";
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// On scaled screens the program loads the picker and the ring at 32 * DPI / 96 px. Each size is
// an image of its own in the resource (else LoadImage would stretch the 32 px one), and is the
// 32 px pixel art with each pixel grown to a block: pixel (x, y) is (x * 32 / S, y * 32 / S).
TEST(ResourceTest, CursorIconsLoadAsPixelArtAtScaledSizes) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    struct Icon { const wchar_t* name; long opaque; };   // opaque pixels at 32 px
    for (Icon i : {Icon{L"RES_MAINFORM_ADD", 64}, Icon{L"RES_MAINFORM_ROUND", 16}}) {
        const std::vector<uint32_t> source = LoadedIconPixels(inst, i.name, 32);
        ASSERT_EQ(source.size(), 32u * 32) << i.name;
        EXPECT_EQ(std::count_if(source.begin(), source.end(), [](uint32_t p) { return p < 0x01000000; }),
                  i.opaque) << i.name;
        HRSRC group = FindResourceW(inst, i.name, RT_GROUP_ICON);
        ASSERT_NE(group, nullptr) << i.name;
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(inst, group)));
        for (int s : {40, 48, 56, 64, 80, 96}) {
            const int id = LookupIconIdFromDirectoryEx(directory, TRUE, s, s, LR_DEFAULTCOLOR);
            HRSRC image = FindResourceW(inst, MAKEINTRESOURCEW(id), RT_ICON);
            ASSERT_NE(image, nullptr) << i.name << " at " << s;
            const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(inst, image)));
            EXPECT_EQ(header->biWidth, s) << i.name << ": no image of its own at " << s << " px";

            const std::vector<uint32_t> pixels = LoadedIconPixels(inst, i.name, s);
            ASSERT_EQ(pixels.size(), size_t(s) * s) << i.name << " at " << s;
            int wrong = 0;
            for (int y = 0; y < s; ++y)
                for (int x = 0; x < s; ++x)
                    wrong += pixels[size_t(y) * s + x] != source[size_t(y * 32 / s) * 32 + x * 32 / s];
            EXPECT_EQ(wrong, 0) << i.name << " at " << s << " px";
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
