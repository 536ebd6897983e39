#include "core/cleaner_rules.h"

namespace kestova {
namespace {

bool contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

// Delphi's Copy with a 1-based start: empty when the start lies beyond the text or the count is
// not positive.
std::wstring copyText(std::wstring_view text, long long start, long long count) {
  if (start < 1) start = 1;
  if (count <= 0 || start > static_cast<long long>(text.size())) return {};
  return std::wstring(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

// Delphi's Pos: 1-based, 0 when absent.
long long pos(std::wstring_view part, std::wstring_view text) {
  std::size_t at = text.find(part);
  return at == std::wstring_view::npos ? 0 : static_cast<long long>(at) + 1;
}

std::wstring userPart(std::wstring_view folder, std::wstring_view startMark, long long offset,
                      std::wstring_view endMark) {
  long long start = pos(startMark, folder) + offset;
  long long end = pos(endMark, folder);
  return copyText(folder, start, end - start - 1);
}

}  // namespace

std::wstring documentsUserPart(std::wstring_view cacheFolder) {
  if (!contains(cacheFolder, L"Docu")) return {};
  return userPart(cacheFolder, L"Docu", 23, L"Temp");
}

std::wstring usersUserPart(std::wstring_view cacheFolder) {
  if (!contains(cacheFolder, L"Users")) return {};
  return userPart(cacheFolder, L"User", 6, L"AppD");
}

std::vector<std::wstring> tempFolderCandidates(wchar_t drive, std::wstring_view cacheFolder) {
  std::wstring root = std::wstring(1, drive) + L":\\";
  std::vector<std::wstring> folders = {root + L"Windows\\Temp", root + L"Winnt\\Temp", root + L"Temp",
                                       root + L"Win32\\Temp"};
  std::wstring documents = documentsUserPart(cacheFolder);
  if (!documents.empty()) folders.push_back(root + L"Documents and Settings\\" + documents + L"\\Temp");
  std::wstring users = usersUserPart(cacheFolder);
  if (!users.empty()) folders.push_back(root + L"Users\\" + users + L"\\AppData\\Local\\Temp");
  return folders;
}

bool isCookieUrl(std::wstring_view url) {
  return contains(url, L"@") && (contains(url, L"ookie") || contains(url, L"OOKIE"));
}

bool isVisitedUrl(std::wstring_view url) { return contains(url, L"isited") || contains(url, L"ISITED"); }

bool liesOnDrive(std::wstring_view folder, wchar_t drive) {
  if (folder.empty()) return false;
  auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
  return upper(folder[0]) == upper(drive);
}

bool netscapePresent(std::wstring_view folder, wchar_t drive) {
  return contains(folder, L"Nets") || (contains(folder, L"Mozi") && liesOnDrive(folder, drive));
}

bool isSystemCacheFolder(std::wstring_view folder) {
  return contains(folder, L"emporary") || contains(folder, L"EMPORARY");
}

bool isKeptContentName(std::wstring_view name) {
  if (name == L".") return true;
  for (std::wstring_view part : {L"dat", L"DAT", L"txt", L"TXT", L"ini", L"INI", L".."}) {
    if (contains(name, part)) return true;
  }
  return false;
}

int browserVersion(std::wstring_view versionText) {
  if (versionText.empty() || versionText[0] < L'0' || versionText[0] > L'9') return 0;
  return versionText[0] - L'0';
}

std::wstring unreadableFoldersText(std::size_t count) {
  if (count == 1) return L"1 folder could not be read and was left as it is.";
  return std::to_wstring(count) + L" folders could not be read and were left as they are.";
}

std::wstring withTrailingSlash(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path + L"\\";
}

}  // namespace kestova
