#pragma once
// A text file as a list of lines, the way the settings files are read and written: lines end in
// CR LF, LF or CR when read, and in CR LF when written.
#include <string>
#include <string_view>
#include <vector>

namespace kestova {

using Lines = std::vector<std::wstring>;

Lines splitLines(std::wstring_view text);
// Every line followed by CR LF.
std::wstring joinLines(const Lines& lines);

}  // namespace kestova
