#pragma once
// The one link test of every walk that removes, counts or compares: junctions and symbolic links
// are found (also a host link to a file, which Wine lists with plain attributes), and removed
// without touching what they point at.
#include <windows.h>

#include <map>
#include <string>

namespace kestova::win {

// True when the entry `name` of `folder` is a junction or a symbolic link: it carries the
// reparse-point attribute, or the system resolves it to a path other than its own.
bool isLink(const std::wstring& folder, const WIN32_FIND_DATAW& entry);
bool isLink(const std::wstring& folder, const std::wstring& name, DWORD attributes);
// The same for a path given whole ("X:\\folder\\name"); false when nothing is there.
bool isLink(const std::wstring& path);

// The same test for the many files of one walk: a folder's place follows from its parent's (the
// walk's root is resolved once), and a file the caller has open already is resolved through its
// handle instead of opened again. A file that seems to lie elsewhere is checked again against its
// folder resolved at that moment, so the answer is the one the single-file test would give. Keep
// one for the length of a walk.
class LinkTest {
 public:
  bool isLink(const std::wstring& folder, const std::wstring& name, DWORD attributes);
  // `file` is an open handle to folder\name.
  bool isLink(const std::wstring& folder, const std::wstring& name, DWORD attributes, HANDLE file);

 private:
  const std::wstring& folderPlace(const std::wstring& folder);
  bool differsFromFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& self);
  std::map<std::wstring, std::wstring> folders_;  // folder -> its resolution with a final "\"
};

// The path the system resolves an open handle to ("\\?\C:\..." with links, subst drives and
// short names resolved); empty where it cannot tell (Windows XP has no such query).
std::wstring resolvedPath(HANDLE handle);

// Removes the link itself; true when it is gone. It opens the link, not its target, and deletes it only when the
// opened object is the link; otherwise (a system that always follows links, as Wine 8 does) it
// leaves the link in place.
bool removeLink(const std::wstring& path);

}  // namespace kestova::win
