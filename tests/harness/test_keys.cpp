#include "harness/test_keys.h"

#include <shlwapi.h>

#include <stdexcept>

namespace kestova::test {

TestKey::TestKey(HKEY root, std::wstring path, DWORD options) : root_(root), path_(std::move(path)) {
  SHDeleteKeyW(root_, path_.c_str());
  HKEY key = nullptr;
  if (RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("cannot create a test key");
  }
  key_ = win::RegistryKey::adopt(key);
}

TestKey::~TestKey() {
  key_ = win::RegistryKey();
  SHDeleteKeyW(root_, path_.c_str());
}

void TestKey::set(const std::wstring& name, DWORD type, const std::vector<BYTE>& data) const {
  key_.setValue(name, type, data);
}

void TestKey::setString(const std::wstring& name, std::wstring_view text, DWORD type) const {
  set(name, type, utf16Bytes(text));
}

std::wstring uniqueKeyName(std::wstring_view suffix) {
  return L"KestovaTest" + std::to_wstring(GetCurrentProcessId()) + std::wstring(suffix);
}

std::vector<BYTE> utf16Bytes(std::wstring_view text, bool terminated) {
  std::vector<BYTE> bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

}  // namespace kestova::test
