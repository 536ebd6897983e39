#include "core/invalid_reference.h"

#include <initializer_list>

namespace kestova::regsearch {
namespace {

bool contains(std::wstring_view text, std::wstring_view literal) { return text.find(literal) != text.npos; }

bool containsAny(std::wstring_view text, std::initializer_list<std::wstring_view> literals) {
  for (std::wstring_view literal : literals) {
    if (contains(text, literal)) return true;
  }
  return false;
}

struct Rule {
  enum Target { Key, Path } target;
  std::initializer_list<std::wstring_view> literals;
  bool unlessExempt;
};

// Rules 2 to 29 in their order; rules 1, 14, 20, 30 and 31 are tested in code around them.
const Rule kRules[] = {
    {Rule::Key, {L"HKEY_CLASSES_ROOT"}, false},  // 2
    {Rule::Key, {L"AutoplayHandlers"}, false},
    {Rule::Key, {L"VarLDID"}, false},
    {Rule::Key, {L"BounceBack"}, false},
    {Rule::Key, {L"NTI"}, false},
    {Rule::Key, {L"codemap"}, false},
    {Rule::Key, {L"windows"}, true},
    {Rule::Key, {L"microsoft"}, true},
    {Rule::Key, {L"system"}, true},  // 10
    {Rule::Path, {L"\\0", L"\\1", L"\\2", L"\\3", L"\\4", L"\\5", L"\\6", L"\\7", L"\\8", L"\\9"}, true},
    {Rule::Path, {L"2:", L"1:", L"0:", L"!", L"?", L". ."}, false},
    {Rule::Path, {L"D:", L"d:", L"A:", L"a:", L"e:", L"f:", L"g:", L"h:", L"i:", L"j:", L"k:", L"l:",
                  L"m:", L"n:", L"o:", L"p:", L"q:", L"r:", L"s:", L"t:", L"u:", L"v:", L"x:", L"y:",
                  L"z:", L"E:", L"F:", L"G:", L"H:", L"I:", L"J:", L"K:", L"L:", L"M:", L"N:", L"O:",
                  L"P:", L"Q:", L"R:", L"S:", L"T:", L"U:", L"V:", L"X:", L"Y:", L"Z:"}, false},  // 13
    {Rule::Path, {}, false},  // 14: a ':' from the fourth character on
    {Rule::Path, {L">", L"%"}, false},
    {Rule::Path, {L"..", L";", L",", L"+"}, false},
    {Rule::Path, {L"-"}, true},
    {Rule::Path, {L"/", L"^", L"fax", L"msi", L"Fax", L"Msi", L"FAX", L"MSI", L"cache", L"norton", L"NORTON",
                  L"Norton", L"Symantec", L"symantec", L"Cache", L"blank", L"Blank", L"BLANK", L"Network"},
     false},
    {Rule::Path, {L"Local"}, true},
    {Rule::Path, {}, false},  // 20: a '.' in a path that ends in a backslash
    {Rule::Path, {L"RunDll32", L"pagefile"}, false},
    {Rule::Path, {L"windows", L"Windows", L"WINDOWS"}, true},
    {Rule::Path, {L"iolo"}, false},
    {Rule::Path, {L"office"}, true},
    {Rule::Path, {L"Application"}, true},
    {Rule::Path, {L"dll", L"HP", L"inf", L"vxd", L"asx", L"Start Menu", L"IOLO"}, false},
    {Rule::Path, {L"OFFICE"}, true},
    {Rule::Path, {L"DLL", L"hp", L"INF", L"VXD", L"ASX"}, false},
    {Rule::Path, {L"Files"}, true},  // 29
};

}  // namespace

std::optional<std::wstring> extractPath(std::wstring_view dataText) {
  const std::size_t colon = dataText.find(L':');
  const std::size_t b = colon == dataText.npos ? 0 : colon + 1;
  if (b > 3) return std::nullopt;
  if (b == 2) return std::wstring(dataText);
  const std::size_t n = dataText.size();
  if (n < 2) return std::wstring();
  const std::size_t start = b >= 2 ? b - 2 : 0;  // 0-based form of "position B - 1, at least 1"
  return std::wstring(dataText.substr(start, n - 2));
}

bool isExempt(std::wstring_view keyText) {
  return containsAny(keyText, {L"istory", L"ecent", L"MRU"});
}

int rejectingRule(std::wstring_view keyText, std::wstring_view path) {
  if (!contains(path, L"\\")) return 1;
  const bool exempt = isExempt(keyText);
  int number = 2;
  for (const Rule& rule : kRules) {
    const std::wstring_view tested = rule.target == Rule::Key ? keyText : path;
    bool hit;
    if (number == 14) {
      hit = path.size() > 3 && contains(path.substr(3), L":");
    } else if (number == 20) {
      hit = contains(path, L".") && path.back() == L'\\';
    } else {
      hit = containsAny(tested, rule.literals);
    }
    if (hit && !(rule.unlessExempt && exempt)) return number;
    ++number;
  }
  if (path.size() > 500 || path.size() < 10) return 30;
  if (contains(path, L"\"")) return 31;
  return 0;
}

}  // namespace kestova::regsearch
