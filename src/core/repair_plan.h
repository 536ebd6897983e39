#pragma once
// The repair's text rules: which root a key text names, the key path below it, and the file
// name that the fix attempt looks for on the drive of a data text.
#include <optional>
#include <string>
#include <string_view>

namespace kestova::regsearch {

enum class RootId { None, DynData, PerformanceData, LocalMachine, CurrentUser, Users, ClassesRoot, CurrentConfig };

// The capital root name ("HKEY_LOCAL_MACHINE", ...); empty for None.
std::wstring_view rootName(RootId root);
// The root whose full name `name` is (case-insensitive); None when it names none.
RootId rootNamed(std::wstring_view name);
// The root a key text names, by its substrings in the repair's order (a later one wins).
RootId chooseRoot(std::wstring_view keyText);
// The key path: what follows the first backslash of the key text (empty for a root).
std::wstring keyPathOf(std::wstring_view keyText);

struct FixTarget {
  std::wstring drive;     // the first two characters of the data text
  std::wstring fileName;  // all that follows the last backslash before the first dot
  bool cut = false;       // the rule's length (position of that backslash + 4) cuts the name short
};
// Nothing when the data text has no dot, or no backslash before its first dot.
std::optional<FixTarget> fixTarget(std::wstring_view dataText);

}  // namespace kestova::regsearch
