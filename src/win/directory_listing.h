#pragma once
// One read of a folder: every entry with its 8.3 alternate name, attributes, 64-bit size and
// last-write time.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestova::win {

struct DirectoryEntry {
  std::wstring name;
  std::wstring shortName;  // empty when the name is already a short one
  DWORD attributes = 0;
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;  // 100-ns ticks since 1601, UTC

  bool isDirectory() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool isDots() const { return name == L"." || name == L".."; }
};

// The entries of `folder` + "\*.*" (all attributes, "." and ".." included); empty when the
// folder cannot be enumerated.
std::vector<DirectoryEntry> readDirectory(const std::wstring& folder);
// The same, but nothing when the folder cannot be enumerated (GetLastError tells why).
std::optional<std::vector<DirectoryEntry>> tryReadDirectory(const std::wstring& folder);

// `folder` + "\" + name, for folders given with or without their trailing backslash.
std::wstring joinPath(const std::wstring& folder, const std::wstring& name);

// The entry is a junction or a symbolic link (to a folder or a file): walks neither enter nor
// count it, and remove only the link itself.
bool isLinkEntry(const std::wstring& folder, const DirectoryEntry& entry);
// Removes the link at `path`, never what it points at; true when it is gone.
bool removeLinkEntry(const std::wstring& path);

}  // namespace kestova::win
