#pragma once
// Conversion between the single-byte Windows-1252 text of the settings files and the UTF-16
// text the program works with, and UTF-8 for exported files.
#include <string>
#include <string_view>

namespace kestova {

std::wstring fromCp1252(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?', as the ANSI API would write them.
std::string toCp1252(std::wstring_view text);
// UTF-8 for files read by other programs; a surrogate without its partner becomes U+FFFD.
std::string toUtf8(std::wstring_view text);

}  // namespace kestova
