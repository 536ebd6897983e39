#pragma once
// The duplicate search's platform-free rules: which files are collected, which folders walked,
// which names and folders may be compared, and the texts of the size column.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestova {

inline constexpr std::uint64_t kDuplicateMinBytes = 30000;  // collected when larger
inline constexpr std::uint64_t kLimitMinBytes = 100000;     // with "Limit": larger than this...
inline constexpr std::uint64_t kLimitMaxBytes = 99999999;   // ...and at most this
inline constexpr int kLimitRows = 700;                       // grid rows, header included
inline constexpr std::size_t kDuplicateWarnCount = 250000;  // collected files before the warning

// A file of `bytes` is collected, with or without "Limit".
bool isCollectedSize(std::uint64_t bytes, bool limit);
// The size column's kilobytes: the whole part of bytes / 1024, plus 1.
std::uint64_t duplicateKilobytes(std::uint64_t bytes);
// An upper-cased name may be compared: not empty, not protected, without ".EXE" or ".SYS", and
// not ending in a dot or a blank (such a name cannot be opened or removed by its path).
bool isComparableName(std::wstring_view upperName);
// An upper-cased folder ("C:" for a root) may be compared: not empty, and no "RECYCLE" right after
// the drive's backslash. The system's own folders are left out by the walk, by their real names.
bool isComparableFolder(std::wstring_view upperFolder);
// A path cell that marks Windows system files, which cannot be marked.
bool isSystemFolderPath(std::wstring_view path);

// "1,234 Kb": the kilobytes grouped by threes with the user's separator, and " Kb".
std::wstring duplicateSizeText(std::uint64_t kilobytes, std::wstring_view thousandsSeparator);
// The kilobytes of a size cell: the digits before its last three characters, whatever separates
// the groups; 0 when there are none.
double sizeCellDigits(std::wstring_view cell);

}  // namespace kestova
