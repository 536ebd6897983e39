#pragma once
// Line files in Windows-1252 with CR LF line ends, read and written whole.
#include <optional>
#include <string>

#include "core/text_lines.h"

namespace kestova::win {

// Nothing when the file does not exist; throws Error("Cannot open file ...") when it cannot be read.
std::optional<Lines> readLinesIfExists(const std::wstring& path);
// Throws Error("Cannot open file ...") on failure.
Lines readLines(const std::wstring& path);
// Writes the whole file through replaceBytes, or throws Error; a failed write never reports
// success and leaves the old file as it was.
void writeLines(const std::wstring& path, const Lines& lines);

std::string readBytes(const std::wstring& path);
// Creates or truncates `path`, writes it whole and flushes it to the disk; throws Error.
void writeBytes(const std::wstring& path, const std::string& bytes);

// The temporary file beside `path` that its replacement is written to first.
std::wstring replacementPath(const std::wstring& path);
// Puts the written and flushed `temporary` in place of `path` in one step; throws Error, and
// removes the temporary, when it cannot.
void commitReplacement(const std::wstring& temporary, const std::wstring& path);
// Writes `bytes` to the replacement of `path`, flushes it and puts it in place: a crash or a
// failure at any point leaves the old file byte for byte.
void replaceBytes(const std::wstring& path, const std::string& bytes);

}  // namespace kestova::win
