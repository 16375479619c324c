#include "Links.h"
#include <windows.h>
#include <shellapi.h>

namespace Links {
std::function<void(const std::string&, const std::string&)> OnOpen;

void Open(const std::string& file, const std::string& parameters) {
    if (OnOpen) {
        OnOpen(file, parameters);
        return;
    }
    // Empty texts, not missing arguments: the result is not looked at.
    ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), "", SW_SHOWNORMAL);
}

void OpenMail() { Open(std::string("mailto:") + kEmail); }

void OpenWebSite() { Open(kWebSite); }
}  // namespace Links
