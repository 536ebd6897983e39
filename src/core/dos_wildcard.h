#pragma once
// The file system's own wildcard matching of find-first/find-next, so that one directory read can
// answer every pattern: case-insensitive, "?" takes one character, "*" any run, and a mask's
// trailing "." and "*" may match nothing (so "*.*" also finds names without a dot).
#include <string_view>

namespace kestova {

// True when `name` matches `mask` as FindFirstFileW matches one name.
bool dosMatch(std::wstring_view mask, std::wstring_view name);

// True when an entry with this long name or this 8.3 alternate name (empty when it has none)
// would be returned for `mask`.
inline bool dosMatchEntry(std::wstring_view mask, std::wstring_view name, std::wstring_view shortName) {
  return dosMatch(mask, name) || (!shortName.empty() && dosMatch(mask, shortName));
}

// The character (in foldCase) that every name matching `mask` ends in; 0 when the mask ends in a
// wildcard or a ".", which may match any last character.
wchar_t requiredLastChar(std::wstring_view mask);

// The upper case the matcher compares in: ASCII and the Latin-1 letters.
wchar_t foldCase(wchar_t c);

}  // namespace kestova
