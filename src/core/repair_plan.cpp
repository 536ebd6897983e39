#include "core/repair_plan.h"

#include "core/reg_data_text.h"

namespace kestova::regsearch {
namespace {

struct RootEntry {
  RootId id;
  std::wstring_view name;
  std::wstring_view marker;  // the substring the repair looks for
};

// In the repair's order of tests.
constexpr RootEntry kRoots[] = {
    {RootId::DynData, L"HKEY_DYN_DATA", L"HKEY_DYN_DATA"},
    {RootId::PerformanceData, L"HKEY_PERFORMANCE_DATA", L"PERFORMANCE"},
    {RootId::LocalMachine, L"HKEY_LOCAL_MACHINE", L"MACHINE"},
    {RootId::CurrentUser, L"HKEY_CURRENT_USER", L"CURRENT_USER"},
    {RootId::Users, L"HKEY_USERS", L"USERS"},
    {RootId::ClassesRoot, L"HKEY_CLASSES_ROOT", L"ROOT"},
    {RootId::CurrentConfig, L"HKEY_CURRENT_CONFIG", L"CONFIG"},
};

}  // namespace

std::wstring_view rootName(RootId root) {
  for (const RootEntry& entry : kRoots) {
    if (entry.id == root) return entry.name;
  }
  return {};
}

RootId rootNamed(std::wstring_view name) {
  const std::wstring upper = upperAscii(name);
  for (const RootEntry& entry : kRoots) {
    if (upper == entry.name) return entry.id;
  }
  return RootId::None;
}

RootId chooseRoot(std::wstring_view keyText) {
  RootId chosen = RootId::None;
  for (const RootEntry& entry : kRoots) {
    if (keyText.find(entry.marker) != keyText.npos) chosen = entry.id;
  }
  return chosen;
}

std::wstring keyPathOf(std::wstring_view keyText) {
  const std::size_t slash = keyText.find(L'\\');
  return slash == keyText.npos ? std::wstring() : std::wstring(keyText.substr(slash + 1));
}

std::optional<FixTarget> fixTarget(std::wstring_view dataText) {
  const std::size_t dot = dataText.find(L'.');
  if (dot == dataText.npos || dot == 0) return std::nullopt;
  const std::size_t slash = dataText.rfind(L'\\', dot - 1);
  if (slash == dataText.npos) return std::nullopt;
  // 1-based: s = slash + 1; the rule takes at most s + 3 characters from position s + 1.
  const std::size_t s = slash + 1;
  const std::wstring_view name = dataText.substr(s);
  return FixTarget{std::wstring(dataText.substr(0, 2)), std::wstring(name), name.size() > s + 3};
}

}  // namespace kestova::regsearch
