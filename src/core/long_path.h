#pragma once
// Walks build plain paths ("X:\\folder\\name"); past the system's old path limit the file calls
// accept only the extended form, which every Windows from XP on reads.
#include <string>
#include <string_view>

namespace kestova {

// Below this length a plain path works for every file call (a folder's limit is the strictest).
inline constexpr std::size_t kPlainPathLimit = 248;

// The path to hand to a file call: a full drive path of `kPlainPathLimit` characters or more
// becomes "\\?\X:\...", a network one "\\?\UNC\server\share\...", with "/" read as "\" and
// doubled separators made single (that form takes every character as it stands). A shorter path,
// a relative one, one already in a device form, or one holding "." or ".." parts (which that
// form would not resolve) is returned as it is.
std::wstring longPathForm(std::wstring_view path);

}  // namespace kestova
