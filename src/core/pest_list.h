#pragma once
// The pest list files: one item a line, a braced class identifier with its name or a cookie
// site; the grid texts made from them; and the check a downloaded list must pass.
#include <optional>
#include <string>
#include <string_view>

namespace kestova {

enum class PestKind { ActiveX, Cookie };

struct PestItem {
  std::wstring key;
  std::wstring name;
  PestKind kind = PestKind::Cookie;
  int file = 0;          // 1 to 4, the list it came from
  bool closed = false;   // the line holds a "}"
};

// Nothing for an empty line. Nothing is trimmed.
std::optional<PestItem> ParsePestLine(std::wstring_view line, int file = 0);

// "Spyware/Adware" or "Cookie".
const wchar_t* pestTypeText(PestKind kind);

// Column 0 of the pest grid: the fill at window open shows the key after the name for the first
// two files; a refresh shows the name alone.
enum class PestPass { WindowOpen, Refresh };
std::wstring pestGridName(const PestItem& item, PestPass pass);

// The count field; `lines` counts every line read, empty ones included.
std::wstring pestCountText(long long lines, PestPass pass);

// A key that may be opened, created or deleted below a root: not empty, no "\", no control
// character, at most 255 characters.
bool isUsablePestKey(std::wstring_view key);

// A downloaded list: at least one item, and every non-empty line a braced class identifier
// followed by two characters of any kind and a name, or a site name.
bool isValidPestList(std::wstring_view text);

}  // namespace kestova
