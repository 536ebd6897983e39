#pragma once
// Registry keys of a test: made fresh below a root and removed with everything below them.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/registry_key.h"

namespace kestova::test {

class TestKey {
 public:
  // `path` below `root`; any leftover of an earlier run is removed first. REG_OPTION_* in `options`.
  TestKey(HKEY root, std::wstring path, DWORD options = REG_OPTION_NON_VOLATILE);
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;
  ~TestKey();

  HKEY get() const { return key_.get(); }
  const std::wstring& path() const { return path_; }
  void set(const std::wstring& name, DWORD type, const std::vector<BYTE>& data) const;
  void setString(const std::wstring& name, std::wstring_view text, DWORD type = REG_SZ) const;
  // Nothing when the value is missing.
  std::optional<win::RegistryValue> value(const std::wstring& name) const { return key_.value(name); }

 private:
  HKEY root_;
  std::wstring path_;
  win::RegistryKey key_;
};

// A name no other test process uses: "KestovaTest<pid><suffix>".
std::wstring uniqueKeyName(std::wstring_view suffix);
// UTF-16LE bytes of `text`, with a terminating zero when asked.
std::vector<BYTE> utf16Bytes(std::wstring_view text, bool terminated = true);

}  // namespace kestova::test
