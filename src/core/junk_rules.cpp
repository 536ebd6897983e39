#include "core/junk_rules.h"

#include <cmath>
#include <initializer_list>

#include "core/dos_wildcard.h"
#include "core/number_format.h"

namespace kestova {
namespace {

// Case-sensitive substring tests, as the rules are written.
bool containsAny(std::wstring_view text, std::initializer_list<std::wstring_view> parts) {
  for (std::wstring_view part : parts) {
    if (text.find(part) != std::wstring_view::npos) return true;
  }
  return false;
}

bool isAnyOf(std::wstring_view text, std::initializer_list<std::wstring_view> names) {
  for (std::wstring_view name : names) {
    if (text == name) return true;
  }
  return false;
}

std::wstring wholeKB(double kilobytes) {
  return std::to_wstring(static_cast<std::uint64_t>(std::floor(kilobytes))) + L" KB";
}

}  // namespace

bool skipsFolderForPattern(std::wstring_view folder, std::wstring_view mask, std::wstring_view recycleFolder) {
  if (containsAny(folder, {L"zip", L"Temporary", L"Hood", L"TEMPORARY", L"HOOD", L"Cookies", L"COOKIES"})) return true;
  if (mask == L"*.LOG" && containsAny(folder, {L"rogra"})) return true;
  if (containsAny(folder, {L"RECY", L"Recy", L"recy"})) return true;
  return folder == recycleFolder;
}

bool skipsFolderForLinks(std::wstring_view folder, std::wstring_view recycleFolder) {
  if (containsAny(folder, {L"emporary", L"ood", L"EMPORARY", L"OOD", L"RECY", L"Recy", L"recy"})) return true;
  return folder == recycleFolder;
}

bool isProtectedName(std::wstring_view name) {
  return isAnyOf(name, {L"DATA.BAK", L"OPA11.BAK", L"SCRIPT.BAK", L"MENUS.BAK", L"data.bak", L"opa11.bak",
                        L"script.bak", L"menus.bak", L"opa12.bak", L"OPA12.BAK", L"opa10.bak", L"OPA10.BAK",
                        L"opa13.bak", L"OPA13.BAK", L"opa14.bak", L"OPA14.BAK", L"insider.bak", L"hpqgends.tmp",
                        L"user.dmp", L"DoNotDelete.tmp"});
}

bool isReportableShortcut(std::wstring_view shortcut, std::wstring_view target) {
  if (target.empty() || containsAny(target, {L"http", L"HTTP"})) return false;
  return !containsAny(shortcut, {L"SendTo", L"rede", L"Rede", L"ssis", L"network", L"Network", L"NetHood", L"\\\\",
                                 L"//", L"system32"});
}

bool countsAsFile(std::wstring_view name, std::uint32_t attributes) {
  if (!(attributes & kAttrDirectory)) return true;
  return containsAny(name, {L"SYS", L"Sys"}) || (attributes & kAttrReparsePoint);
}

bool isWalkedSubfolder(std::wstring_view path) { return !containsAny(path, {L"Content.IE5"}); }

bool isHistoryEntry(std::wstring_view folder, std::wstring_view name) {
  return name.substr(0, 4) == L"Hist" && containsAny(folder, {L"WINDOWS"});
}

namespace {

bool endsWithFolded(std::wstring_view text, std::wstring_view tail) {
  if (text.size() < tail.size()) return false;
  text = text.substr(text.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (foldCase(text[i]) != foldCase(tail[i])) return false;
  }
  return true;
}

std::wstring_view withoutTrailingSlashes(std::wstring_view path) {
  while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
  return path;
}

}  // namespace

bool isCurrentHistoryFolder(std::wstring_view folder, std::wstring_view name) {
  return endsWithFolded(name, L"History") && name.size() == 7 &&
         endsWithFolded(withoutTrailingSlashes(folder), L"\\Microsoft\\Windows");
}

bool isInternetCacheFolder(std::wstring_view name) { return name == L"Temporary Internet Files" || name == L"INetCache"; }

bool isSystemBrowserCachePath(std::wstring_view path) {
  return containsAny(path, {L"Temporary"}) || endsWithFolded(withoutTrailingSlashes(path), L"\\INetCache");
}

bool isProfileMarker(std::wstring_view name) { return name == L"prefs.js"; }

bool isNetscapeFamilyPath(std::wstring_view folder) { return containsAny(folder, {L"Nets", L"Mozi"}); }

std::wstring localProfileTwin(std::wstring_view profile) {
  std::wstring folded(profile);
  for (wchar_t& c : folded) c = foldCase(c);
  auto twin = [&](std::wstring_view roaming, std::wstring_view local) -> std::wstring {
    std::size_t at = folded.find(roaming);
    if (at == std::wstring::npos) return {};
    return std::wstring(profile.substr(0, at)) + std::wstring(local) + std::wstring(profile.substr(at + roaming.size()));
  };
  if (std::wstring found = twin(L"\\APPDATA\\ROAMING\\", L"\\AppData\\Local\\"); !found.empty()) return found;
  if (folded.find(L"\\LOCAL SETTINGS\\APPLICATION DATA\\") != std::wstring::npos) return {};  // local already
  return twin(L"\\APPLICATION DATA\\", L"\\Local Settings\\Application Data\\");
}

bool isRecycleCandidate(std::wstring_view name, std::uint32_t attributes) {
  if (attributes != (kAttrDirectory | kAttrHidden | kAttrSystem)) return false;
  if (containsAny(name, {L".", L"-"})) return false;
  return !isAnyOf(name, {L"_RESTORE", L"TEMP", L"ARCHIVE", L"Installer", L"Offline", L"INCINERATE", L"LOGS",
                         L"MSNCoreFiles", L"SFP", L"EXTRACT", L"LocalService", L"NetworkService", L"DRM", L"CSC",
                         L"UserData", L"Meus faxes", L"My faxes", L"System Volume Information", L"INSTALLER"});
}

bool isRecycleName(std::wstring_view name) { return isAnyOf(name, {L"RECYCLE", L"Recycle", L"recycle"}); }

std::wstring fileSizeText(std::uint64_t bytes) { return wholeKB(static_cast<double>(bytes) / 1024 + 1); }

std::wstring linkSizeText(std::uint64_t bytes) { return wholeKB(static_cast<double>(bytes) / 1024); }

double sizeCellKilobytes(std::wstring_view cell) {
  if (cell.size() < 3) return 0;
  std::wstring_view number = cell.substr(0, cell.size() - 3);
  if (number.empty()) return 0;
  double value = 0;
  for (wchar_t c : number) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + (c - L'0');
  }
  return value;
}

std::wstring listingTotalText(double bytes) {
  if (bytes > 0 && bytes / 1024 < 1024) return formatFixed2(bytes / 1024 + 1) + L"   KB";
  if (bytes > 0 && bytes / 1024 / 1024 < 1024) return formatFixed2(bytes / 1024 / 1024 + 0.01) + L"  MB";
  double megabytes = bytes / 1024 / 1024 + 0.01;
  return formatFixed2(megabytes / 1024 + 0.01) + L"  GB";
}

}  // namespace kestova
