#pragma once
// An open registry key, closed with its owner.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestova::win {

struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(RegistryKey&& o) noexcept : key_(std::exchange(o.key_, nullptr)) {}
  RegistryKey& operator=(RegistryKey&& o) noexcept {
    if (this != &o) {
      close();
      key_ = std::exchange(o.key_, nullptr);
    }
    return *this;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { close(); }

  // Opens an existing key; nothing when it does not exist or cannot be opened.
  static std::optional<RegistryKey> open(HKEY root, const std::wstring& path, REGSAM access = KEY_READ);
  // Opens or creates the key; throws Error on failure.
  static RegistryKey create(HKEY root, const std::wstring& path, REGSAM access = KEY_READ | KEY_WRITE);

  // Takes ownership of an open key.
  static RegistryKey adopt(HKEY key) { return RegistryKey(key); }

  HKEY get() const { return key_; }
  std::optional<RegistryValue> value(const std::wstring& name) const;
  // Throws Error on failure.
  void setDword(const std::wstring& name, DWORD value) const;
  void setValue(const std::wstring& name, DWORD type, const std::vector<BYTE>& data) const;
  // True when the value was there and is gone.
  bool deleteValue(const std::wstring& name) const;

 private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  void close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY key_ = nullptr;
};

// Deletes the key `name` (which has no subkeys) below `parent` in the registry view `view`
// (KEY_WOW64_64KEY, KEY_WOW64_32KEY or 0); true when it is gone. Systems older than the views
// have one view only.
bool deleteRegistryKey(HKEY parent, const std::wstring& name, REGSAM view);

}  // namespace kestova::win
