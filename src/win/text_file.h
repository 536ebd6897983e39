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
// Writes the whole file or throws Error; a failed write never reports success.
void writeLines(const std::wstring& path, const Lines& lines);

std::string readBytes(const std::wstring& path);
void writeBytes(const std::wstring& path, const std::string& bytes);

}  // namespace kestova::win
