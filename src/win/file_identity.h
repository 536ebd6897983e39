#pragma once
// What a path names, whatever its spelling: a short name, a second drive letter, a subst drive or
// a mapped folder all lead to the same volume serial number and file index.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kestova::win {

struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file or folder at `path`; nothing when it cannot be opened.
std::optional<FileIdentity> fileIdentity(const std::wstring& path);

// A folder and the folders above it, each known by identity: the parents along the path as given
// and along the path the system resolves it to, so that every spelling of a folder above it is
// recognised.
class FolderLine {
 public:
  explicit FolderLine(const std::wstring& folder);

  // The folder itself; nothing when it cannot be opened.
  const std::optional<FileIdentity>& self() const { return self_; }
  // The folder is `folder` or lies somewhere below it.
  bool within(const FileIdentity& folder) const;
  // The folder lies directly in one of `folders`.
  bool directlyIn(const std::vector<FileIdentity>& folders) const;
  // The folders that hold this one directly (one per path that leads to it).
  const std::vector<FileIdentity>& parents() const { return parents_; }
  // The folder is a drive's root, as given or as resolved.
  bool isDriveRoot() const { return driveRoot_; }

 private:
  void climb(std::wstring path);

  std::optional<FileIdentity> self_;
  std::vector<FileIdentity> parents_;
  std::vector<FileIdentity> above_;
  bool driveRoot_ = false;
};

}  // namespace kestova::win
