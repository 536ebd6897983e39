#include "spyware/list_update.h"

#include <windows.h>

#include <string>
#include <vector>

#include "core/pest_list.h"
#include "core/text_codec.h"
#include "core/text_lines.h"
#include "core/web_links.h"
#include "shell/web_addresses.h"
#include "ui/application.h"
#include "win/error.h"
#include "win/internet.h"
#include "win/program_folder.h"
#include "win/text_file.h"

namespace kestova::spyware {
namespace {

constexpr const wchar_t* kLists[] = {L"SPY3.TXT", L"SPY4.TXT"};

struct Download {
  std::wstring file;
  std::wstring temporary;
  std::string bytes;  // CR LF line ends
};

// Removes a temporary file left behind when the update stops.
class TemporaryFiles {
 public:
  TemporaryFiles() = default;
  TemporaryFiles(const TemporaryFiles&) = delete;
  TemporaryFiles& operator=(const TemporaryFiles&) = delete;
  ~TemporaryFiles() {
    for (const auto& path : paths_) DeleteFileW(path.c_str());
  }
  void add(const std::wstring& path) { paths_.push_back(path); }

 private:
  std::vector<std::wstring> paths_;
};

// A file made new beside the lists, so the write never follows a name someone left there.
std::wstring newTemporaryFile() {
  std::wstring folder = win::programFolder();
  wchar_t name[MAX_PATH] = {};
  if (!GetTempFileNameW(folder.c_str(), L"spy", 0, name)) win::throwLastError(L"Cannot create a file in " + folder);
  return name;
}

}  // namespace

ListUpdate updateSpywareLists() {
  // The window repaints while the server answers (its pass holds the controls).
  std::string version = win::FetchUrlText(shell::versionFileAddress(), {}, ui::Application::processMessages);
  if (isCurrentVersion(fromCp1252(version))) return ListUpdate::NoUpdate;

  std::vector<Download> downloads;
  for (const wchar_t* name : kLists) {
    std::wstring address = shell::listFileAddress(name);
    std::wstring text = fromCp1252(win::FetchUrlText(address, {}, ui::Application::processMessages));
    if (!isValidPestList(text)) throw win::Error(L"Downloaded list is not valid: " + address);
    downloads.push_back({name, L"", toCp1252(joinLines(splitLines(text)))});
  }

  win::enterProgramFolder();
  TemporaryFiles leftovers;
  for (auto& download : downloads) {
    download.temporary = newTemporaryFile();
    leftovers.add(download.temporary);
    win::writeBytes(download.temporary, download.bytes);
  }
  // Both lists are old or both are new: the first old list waits beside them until the second new
  // one is in place, and goes back when it is not.
  const Download& first = downloads[0];
  const Download& second = downloads[1];
  std::wstring kept;
  if (GetFileAttributesW(first.file.c_str()) != INVALID_FILE_ATTRIBUTES) {
    kept = newTemporaryFile();
    leftovers.add(kept);
    if (!CopyFileW(first.file.c_str(), kept.c_str(), FALSE)) win::throwLastError(L"Cannot replace " + first.file);
  }
  if (!MoveFileExW(first.temporary.c_str(), first.file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    win::throwLastError(L"Cannot replace " + first.file);
  }
  if (!MoveFileExW(second.temporary.c_str(), second.file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    if (kept.empty() ? !DeleteFileW(first.file.c_str())
                     : !MoveFileExW(kept.c_str(), first.file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      win::throwLastError(L"Cannot replace " + second.file + L", and " + first.file + L" is already the new list");
    }
    SetLastError(error);
    win::throwLastError(L"Cannot replace " + second.file);
  }
  return ListUpdate::Updated;
}

}  // namespace kestova::spyware
