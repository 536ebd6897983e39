#pragma once
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "harness/driver.h"
#include "harness/temp_folder.h"
#include "win/registry_key.h"

namespace kestova::test {

// Points the shell's open command of each class (a protocol such as "http", or a file type's
// class) at cmd, which appends the address or file it is given to a file; the prefix's own
// commands come back afterwards.
class ShellRecorder {
 public:
  ShellRecorder(const std::wstring& file, std::initializer_list<const wchar_t*> classes) : file_(file) {
    for (const wchar_t* name : classes) {
      std::wstring path = std::wstring(L"Software\\Classes\\") + name + L"\\shell\\open\\command";
      auto key = win::RegistryKey::create(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
      saved_.push_back({path, key.value(L"")});
      std::wstring command = L"C:\\windows\\system32\\cmd.exe /c echo %1>>\"" + file + L"\"";
      key.setValue(L"", REG_SZ, bytes(command));
    }
  }
  ~ShellRecorder() {
    for (const auto& [path, value] : saved_) {
      auto key = win::RegistryKey::create(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
      if (value) {
        key.setValue(L"", value->type, value->data);
      } else {
        key.deleteValue(L"");
      }
    }
  }
  // Files ending in `extension` (".fnd") open through `className` while this lives.
  void associate(const std::wstring& extension, const std::wstring& className) {
    std::wstring path = L"Software\\Classes\\" + extension;
    auto key = win::RegistryKey::create(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
    saved_.push_back({path, key.value(L"")});
    key.setValue(L"", REG_SZ, bytes(className));
  }
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  // The addresses opened so far, without quotes.
  std::vector<std::string> opened() const {
    std::vector<std::string> lines;
    if (!fileExists(file_)) return lines;
    std::string text = fileBytes(file_);
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      std::string line = text.substr(start, end - start);
      while (!line.empty() && line.back() == ' ') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  // Waits for the n-th address to arrive.
  std::vector<std::string> waitOpened(std::size_t n) const {
    waitUntil([&] { return opened().size() >= n; }, 10000);
    return opened();
  }

 private:
  static std::vector<BYTE> bytes(const std::wstring& text) {
    const BYTE* begin = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(begin, begin + (text.size() + 1) * sizeof(wchar_t));
  }
  std::wstring file_;
  std::vector<std::pair<std::wstring, std::optional<win::RegistryValue>>> saved_;
};

}  // namespace kestova::test
