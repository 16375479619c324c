// Times the writes of a settings file whose [RECENT] section holds JUNK lines that do not read
// around two good keys, beside 20 000 saved colours, and prints the median of the runs in ms:
// the first write of the recent colours once one is chosen (every junk line goes), a later
// one, the delete of a saved colour and a change of zoom, each on a fresh copy of the file but
// the later write. Figures are printed as they come, so that a run cut short shows how far it
// got; the last column is what [RECENT] holds after the later write. Not a test: it prints, it
// never fails.
//
//   rewrite_bench JUNK [RUNS] [utf16]   utf16: the file with a byte-order mark, which the
//                                       profile functions write
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "util/FileBytes.h"
#include "Text.h"
#include "Timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kSavedColors = 20000;

std::string Hostile(int Junk, bool Utf16) {
    std::string Text = "[VOP]\r\nontop=0\r\nzoom=3\r\nkeeprecent=1\r\n[RECENT]\r\n";
    char Line[64];
    for (int I = 0; I < Junk; ++I) {
        if (I == Junk / 3) Text += "1=#FF0000\r\n";
        if (I == 2 * Junk / 3) Text += "2=#00FF00\r\n";
        std::snprintf(Line, sizeof Line, "junk%d=#%06X\r\n", I, I);
        Text += Line;
    }
    Text += "[COLORS]\r\n";
    for (int I = 0; I < kSavedColors; ++I) {
        std::snprintf(Line, sizeof Line, "0101%04d%06d=#%06Xsaved %d\r\n", 2000 + I % 20, I,
                      I * 40503 & 0xFFFFFF, I);
        Text += Line;
    }
    if (!Utf16) return Text;
    const std::wstring Wide = AnsiToWide(Text);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(Wide.data()), Wide.size() * 2);
}

// The key of the saved colour in the middle of the section.
std::string MiddleKey() {
    char Key[32];
    std::snprintf(Key, sizeof Key, "0101%04d%06d", 2000 + kSavedColors / 2 % 20, kSavedColors / 2);
    return Key;
}

double Ms(const std::function<void()>& Action) {
    const double Start = Seconds();
    Action();
    return (Seconds() - Start) * 1000;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: rewrite_bench JUNK [RUNS] [utf16]\n");
        return 2;
    }
    const int Junk = std::atoi(argv[1]);
    const int Runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 3);
    const bool Utf16 = argc > 3 && std::strcmp(argv[3], "utf16") == 0;
    const std::string FileName = TSettings::GetIniFileName(), Bytes = Hostile(Junk, Utf16);
    const auto Fresh = [&] { FileBytes::WriteReplacing(AnsiToWide(FileName), Bytes); };
    std::printf("%7d %6.1f", Junk, Bytes.size() / 1048576.0);
    std::fflush(stdout);
    std::vector<double> First, Later, Delete, Zoom;
    const auto Print = [](const std::vector<double>& Times) {
        std::printf(" %10.1f", Median(Times));
        std::fflush(stdout);
    };
    for (int Run = 0; Run < Runs; ++Run) {
        Fresh();
        TRecentColors List = TSettings::ReadRecent();
        List.Add(0x00123456);
        First.push_back(Ms([&] { TSettings::WriteRecent(List); }));
        List.Add(0x00654321);
        Later.push_back(Ms([&] { TSettings::WriteRecent(List); }));
    }
    Print(First);
    Print(Later);
    const int Left = static_cast<int>(TIniFile::ReadSectionValues("RECENT", FileName).size());
    for (int Run = 0; Run < Runs; ++Run) {
        Fresh();
        Delete.push_back(Ms([&] { TSettings::DeleteColor(MiddleKey()); }));
    }
    Print(Delete);
    for (int Run = 0; Run < Runs; ++Run) {
        Fresh();
        Zoom.push_back(Ms([&] { TSettings::SetZoom(7 + Run % 2); }));
    }
    Print(Zoom);
    std::printf(" %5d\n", Left);
    DeleteFileA(FileName.c_str());
    return 0;
}
