#pragma once
// Platform-free rules of the hub's cleaners: the temporary folders of a drive, which URL-cache
// entries the browser walks keep, and when a coded folder counts as present.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestova {

// The user part of a browser cache folder in the "Documents and Settings" layout (between
// "Docu" + 23 and the first "Temp") and in the "Users" layout (between "User" + 6 and "AppD");
// empty when the layout is not recognised. Positions are taken case-sensitively.
std::wstring documentsUserPart(std::wstring_view cacheFolder);
std::wstring usersUserPart(std::wstring_view cacheFolder);

// The temporary folders of `drive` in the order they are tried; a candidate whose user part is
// empty is left out.
std::vector<std::wstring> tempFolderCandidates(wchar_t drive, std::wstring_view cacheFolder);

// The URL of a cookie ("@" with "ookie" or "OOKIE") or of a visited page ("isited", "ISITED").
bool isCookieUrl(std::wstring_view url);
bool isVisitedUrl(std::wstring_view url);

// A coded folder lies on `drive` (its first letter, either case).
bool liesOnDrive(std::wstring_view folder, wchar_t drive);
// The Netscape family is present: its folder contains "Nets", or contains "Mozi" and lies on
// the current drive.
bool netscapePresent(std::wstring_view folder, wchar_t drive);
// A cache folder of the system browser: "emporary" or "EMPORARY".
bool isSystemCacheFolder(std::wstring_view folder);
// The content-cache emptier skips names holding "dat", "DAT", "txt", "TXT", "ini", "INI" or "..",
// and ".".
bool isKeptContentName(std::wstring_view name);

// The browser's version: the first character of its version text as a number; 0 when the text
// is empty or does not start with a digit.
int browserVersion(std::wstring_view versionText);

// What Temp Dir says once when `count` folders could not be read and were left as they are.
std::wstring unreadableFoldersText(std::size_t count);

// `path` with exactly one trailing "\".
std::wstring withTrailingSlash(std::wstring path);

}  // namespace kestova
