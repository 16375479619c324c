// Another running copy of the program as far as the settings file goes: it reads and writes
// through the program's own settings operations, so that tests can run two copies at once.
//
//   settings_writer save TAG ROUNDS [READY GO] saves ROUNDS colours under keys of its own
//                                              (year 2100 + TAG, one second per round), with
//                                              events: sets READY and waits for GO first;
//                                              exits with the number of saves that failed
//   settings_writer zoom VALUE                 TSettings::SetZoom(VALUE)
//   settings_writer ontop 0|1                  TSettings::SetStayOnTop
//   settings_writer getzoom                    exits with TSettings::GetZoom()
//   settings_writer hold PATH READY MS         opens PATH sharing nothing, sets READY, and
//                                              keeps it open for MS milliseconds
//
// Exit code 100 and above: wrong use or a failure of the tool itself.
#include "settings/SettingsText.h"
#include "settings/Settings.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;

// The entry that copy TAG saves in round ROUND; the test that reads the file builds the same.
void SaveRound(int Tag, int Round) {
    char Value[16];
    std::snprintf(Value, sizeof Value, "#%06X", (Tag << 16 | Round) & 0xFFFFFF);
    TSettings::SaveColor(SettingsText::TimeText(2100 + Tag, 1, 1, Round / 3600, Round / 60 % 60,
                                           Round % 60),
                    Value, "copy " + std::to_string(Tag) + " round " + std::to_string(Round));
}

bool SetEvent(const char* Name) {
    HANDLE Event = OpenEventA(EVENT_MODIFY_STATE, FALSE, Name);
    if (!Event) return false;
    const bool Done = ::SetEvent(Event);
    CloseHandle(Event);
    return Done;
}

bool WaitEvent(const char* Name) {
    HANDLE Event = OpenEventA(SYNCHRONIZE, FALSE, Name);
    if (!Event) return false;
    const bool Set = WaitForSingleObject(Event, kStartTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(Event);
    return Set;
}

int Save(int Tag, int Rounds, const char* Ready, const char* Go) {
    if (Ready && (!SetEvent(Ready) || !WaitEvent(Go))) return 101;
    int Failed = 0;
    for (int Round = 0; Round < Rounds; ++Round) {
        try {
            SaveRound(Tag, Round);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "round %d: %s\n", Round, e.what());
            ++Failed;
        }
    }
    return Failed < 100 ? Failed : 99;
}

int Hold(const char* Path, const char* Ready, DWORD Ms) {
    HANDLE File = CreateFileA(Path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (File == INVALID_HANDLE_VALUE) return 102;
    if (!SetEvent(Ready)) return 101;
    Sleep(Ms);  // the test ends the tool sooner, when it is done with the locked file
    CloseHandle(File);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string Command = argc > 1 ? argv[1] : "";
    try {
        if (Command == "save" && (argc == 4 || argc == 6))
            return Save(std::atoi(argv[2]), std::atoi(argv[3]), argc == 6 ? argv[4] : nullptr,
                        argc == 6 ? argv[5] : nullptr);
        if (Command == "zoom" && argc == 3) return TSettings::SetZoom(std::atoi(argv[2])), 0;
        if (Command == "ontop" && argc == 3) return TSettings::SetStayOnTop(argv[2][0] == '1'), 0;
        if (Command == "getzoom" && argc == 2) return TSettings::GetZoom();
        if (Command == "hold" && argc == 5)
            return Hold(argv[2], argv[3], static_cast<DWORD>(std::atol(argv[4])));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "settings_writer: %s\n", e.what());
        return 103;
    }
    std::fprintf(stderr, "usage: settings_writer save|zoom|ontop|getzoom|hold ...\n");
    return 100;
}
