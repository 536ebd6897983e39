#pragma once
// The folders no browser cleaner empties, whatever folder code names them: a drive's root, the
// Windows folder, a user's profile, the programs' folders, this program's own folder, and every
// folder above one of them. Each is known by what it is, not by how it is spelled.
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/config_file.h"
#include "win/file_identity.h"

namespace kestova::junk {

class FolderGuard {
 public:
  // Looks the guarded folders up now.
  FolderGuard();
  // Emptying `folder` would empty a guarded one; a folder that is not there is not refused.
  bool refuses(const std::wstring& folder) const;

 private:
  std::vector<win::FolderLine> guarded_;
  std::vector<win::FileIdentity> profiles_;  // the folders that hold the users' profiles
};

// A folder a cleaner is about to empty, with its folder code (none for the cookies folder).
struct CodedPath {
  std::optional<FolderCode> code;
  std::wstring path;  // empty when the cleaner does not use it
};

// The message for the first of `folders` the guard refuses; the cleaner then removes nothing.
std::optional<std::wstring> refusalToClean(std::initializer_list<CodedPath> folders);
// The message of the folder-paths window when it refuses `folder` for a field.
std::wstring refusalToStore(const CodedPath& folder);

}  // namespace kestova::junk
