#pragma once
// The invalid-reference test's text rules: the path taken from a hit's data text and the fixed
// chain of substring rules that rejects keys and paths which must never be reported.
#include <optional>
#include <string>
#include <string_view>

namespace kestova::regsearch {

// The path P of a data text; nothing when its first ':' lies beyond the third character.
std::optional<std::wstring> extractPath(std::wstring_view dataText);

// The exemption: the key text holds "istory", "ecent" or "MRU".
bool isExempt(std::wstring_view keyText);

// The number (1..31) of the first rule that rejects the hit; 0 when every rule lets it pass.
int rejectingRule(std::wstring_view keyText, std::wstring_view path);

}  // namespace kestova::regsearch
