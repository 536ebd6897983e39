#pragma once
// Junctions and symbolic links met by the folder walk: found, and removed without touching what
// they point at.
#include <windows.h>

#include <string>

namespace kestova::shredder {

// True when the entry `name` of `folder` is a junction or a symbolic link: it carries the
// reparse-point attribute, or the system resolves it to a path other than its own.
bool isLink(const std::wstring& folder, const WIN32_FIND_DATAW& entry);

// Removes the link itself. It opens the link, not its target, and deletes it only when the
// opened object is the link; otherwise (a system that always follows links, as Wine 8 does) it
// leaves the link in place.
void removeLink(const std::wstring& path);

}  // namespace kestova::shredder
