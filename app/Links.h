// The maker's contact e-mail address and web site: the captions of the About dialog's links
// and what both the links and the control menu open.
#pragma once
#include <functional>
#include <string>

namespace Links {
constexpr const char* kEmail = "support@quillora.org";
constexpr const char* kWebSite = "https://www.quillora.org/";

// Hands a file or address to the shell ("open"), which starts the mail program or the
// browser; nothing is waited for or checked.
void Open(const std::string& file, const std::string& parameters = "");
void OpenMail();     // "mailto:" and the address
void OpenWebSite();  // the address, in the default browser

// Takes the place of the shell when set (the tests record the requests).
extern std::function<void(const std::string& file, const std::string& parameters)> OnOpen;
}  // namespace Links
