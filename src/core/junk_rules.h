#pragma once
// The junk scan's platform-free rules: which folders a pattern or the dead-shortcut lister skips,
// which names are never listed, what the folder visitor learns from an entry, and the size texts.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestova {

// One row of the result grid: name, folder with its trailing "\", "N KB", and "Yes", "No",
// "Deleted" or "Shredded".
struct JunkRow {
  std::wstring name, path, size, mark;
};

inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;

// The pattern lister leaves folder F alone for pattern `mask` (given without its "\").
bool skipsFolderForPattern(std::wstring_view folder, std::wstring_view mask, std::wstring_view recycleFolder);
// The dead-shortcut lister leaves folder F alone.
bool skipsFolderForLinks(std::wstring_view folder, std::wstring_view recycleFolder);
// Names that are never listed, in exactly these spellings.
bool isProtectedName(std::wstring_view name);
// A shortcut S with target T may be reported as dead (the target's existence is tested apart).
bool isReportableShortcut(std::wstring_view shortcut, std::wstring_view target);

// The folder visitor: an entry counts as a file (not descended into) when it is no directory or
// its name contains "SYS" or "Sys". A linked folder (reparse point) is not descended into either.
bool countsAsFile(std::wstring_view name, std::uint32_t attributes);
// A subfolder is added to the work list unless its path holds "Content.IE5".
bool isWalkedSubfolder(std::wstring_view path);
// Folder-code discovery from one entry of folder F.
bool isHistoryEntry(std::wstring_view folder, std::wstring_view name);
// The system browser's history of Windows Vista and later: "History" in "...\Microsoft\Windows".
bool isCurrentHistoryFolder(std::wstring_view folder, std::wstring_view name);
// "Temporary Internet Files", or "INetCache" from Windows 8.1 on.
bool isInternetCacheFolder(std::wstring_view name);
// A path the system browser's cache lies in: one holding "Temporary", or an "INetCache" folder.
bool isSystemBrowserCachePath(std::wstring_view path);
// A folder holding this file is a profile of the Netscape family ("prefs.js"); a copy of a
// profile's history elsewhere is none.
bool isProfileMarker(std::wstring_view name);
// The names of a profile's cache folder, most recent layout first: "cache2", "Cache", "cache".
inline constexpr std::wstring_view kProfileCacheNames[] = {L"cache2", L"Cache", L"cache"};
// A profile's cache is the browser's when the profile's path holds "Nets" or "Mozi".
bool isNetscapeFamilyPath(std::wstring_view folder);
// Where a roaming profile keeps what does not travel with it, its cache included: the twin of
// "...\AppData\Roaming\..." is "...\AppData\Local\...", that of "...\Application Data\..." is
// "...\Local Settings\Application Data\..."; empty for a profile of neither layout.
std::wstring localProfileTwin(std::wstring_view profile);
bool isRecycleCandidate(std::wstring_view name, std::uint32_t attributes);
bool isRecycleName(std::wstring_view name);

// "N KB" texts: a listed file shows whole(bytes / 1024 + 1), a dead shortcut whole(bytes / 1024).
std::wstring fileSizeText(std::uint64_t bytes);
std::wstring linkSizeText(std::uint64_t bytes);
// The kilobytes of a size cell ("10 KB" gives 10); 0 when it holds no number.
double sizeCellKilobytes(std::wstring_view cell);
// The listing-total text of a total in bytes: "   KB", "  MB" or "  GB".
std::wstring listingTotalText(double bytes);

}  // namespace kestova
