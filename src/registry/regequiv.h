#pragma once
// Key equivalents: the subtrees of HKEY_LOCAL_MACHINE and HKEY_USERS that another root key shows
// again (the classes, the current user's profile, the current hardware profile), proved on the
// running system by a probe written through one view and read through the other, or, without
// write access, by comparing the statistics of both views. The search does not enter them.
#include <windows.h>

#include <string>
#include <vector>

namespace kestova::registry {

using TKeyEquivalents = std::vector<std::wstring>;

// The list built at start-up (full names in capitals, root name first).
const TKeyEquivalents& KeyEquivalents();
// Builds the module's list once; called before any window exists.
void InitializeKeyEquivalents();

// Fills `list`; the result has bit 1 set when no classes alias was found, bit 2 for the current
// user and bit 4 for the current configuration.
unsigned BuildKeyEquivalents(TKeyEquivalents& list);
// 0 and the textual SID of the logged-on user, or the failing step: 1 user name, 2 account
// lookup, 3 identifier authority, 4 sub-authority count, 5 + i sub-authority i.
int CurrentUserSID(std::wstring& sid);
// The name of the current user's subkey of HKEY_USERS as the platform names it (".Default"
// when it cannot be found).
std::wstring CurrentUserKeyName();
// True and upper-case(displayRoot + "\" + subkeyPath) appended when the candidate is proved.
bool TestKeyEquivalent(TKeyEquivalents& list, const std::wstring& displayRoot, const std::wstring& subkeyPath,
                       HKEY realRoot, HKEY aliasRoot);

// 0 proved; 1 written but not seen through the alias; 2 no write access; 3 the key cannot be opened.
int ProbeKeyEquivalent(HKEY aliasRoot, HKEY realRoot, const std::wstring& path);
// True when the alias root and realRoot\path have the same key statistics.
bool KeyStatisticsEqual(HKEY aliasRoot, HKEY realRoot, const std::wstring& path);

}  // namespace kestova::registry
