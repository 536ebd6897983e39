#include "junk/folder_guard.h"

#include "win/program_folder.h"
#include "win/shell_folders.h"

namespace kestova::junk {
namespace {

constexpr const wchar_t* kWhatItIs = L"a drive root, system, profile or program folder, or a folder above one";

std::wstring named(const std::optional<FolderCode>& code) {
  if (!code) return L"the cookies folder";
  return std::wstring(L"the folder of code \"") + folderCodeText(*code) + L"\"";
}

}  // namespace

FolderGuard::FolderGuard() {
  win::ShellFolders shell;
  for (int csidl : {win::kWindowsFolder, win::kProgramFilesFolder, win::kProgramFilesX86Folder}) {
    if (auto path = shell.path(csidl)) guarded_.emplace_back(*path);
  }
  if (auto profile = shell.path(win::kProfileFolder)) {
    guarded_.emplace_back(*profile);
    profiles_ = guarded_.back().parents();  // so every user's profile is guarded, not only this one
  }
  guarded_.emplace_back(win::programFolder());
}

bool FolderGuard::refuses(const std::wstring& folder) const {
  win::FolderLine line(folder);
  if (!line.self()) return false;
  if (line.isDriveRoot() || line.directlyIn(profiles_)) return true;
  for (const win::FolderLine& guarded : guarded_) {
    if (guarded.within(*line.self())) return true;
  }
  return false;
}

std::optional<std::wstring> refusalToClean(std::initializer_list<CodedPath> folders) {
  FolderGuard guard;
  for (const CodedPath& folder : folders) {
    if (folder.path.empty() || !guard.refuses(folder.path)) continue;
    std::wstring subject =
        folder.code ? std::wstring(L"Folder code \"") + folderCodeText(*folder.code) + L"\"" : L"The cookies folder";
    return subject + L" is set to " + folder.path + L", " + kWhatItIs + L". Nothing was removed.";
  }
  return std::nullopt;
}

std::wstring refusalToStore(const CodedPath& folder) {
  return folder.path + L" is " + kWhatItIs + L", and cannot be " + named(folder.code) + L".";
}

}  // namespace kestova::junk
