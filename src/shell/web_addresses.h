#pragma once
// The outside addresses: built-in defaults, each overridable at every use from section
// [Update] of the registry cleaner's settings file ("Server", "Site", "Mailbox").
#include <string>

namespace kestova::shell {

std::wstring versionFileAddress();
std::wstring listFileAddress(const wchar_t* name);  // "SPY3.TXT" or "SPY4.TXT"
std::wstring homePageAddress();
std::wstring instructionsPageAddress();
std::wstring supportMailbox();

}  // namespace kestova::shell
