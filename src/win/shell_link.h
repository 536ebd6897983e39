#pragma once
// Shortcut targets through the shell-link service (IShellLinkW + IPersistFile).
#include <windows.h>

#include <shlobj.h>

#include <string>

namespace kestova::win {

// COM for the calling thread while it lives; it leaves COM alone when the thread already chose
// another apartment.
class ComScope {
 public:
  ComScope();
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope();

 private:
  bool initialised_ = false;
};

// One shell-link object, loaded again for every shortcut asked about.
class ShortcutReader {
 public:
  ShortcutReader();
  ShortcutReader(const ShortcutReader&) = delete;
  ShortcutReader& operator=(const ShortcutReader&) = delete;
  ~ShortcutReader();

  // The target path of the shortcut file, read with the UNC-priority option into a
  // MAX_PATH buffer; empty when the file cannot be loaded as a shortcut.
  std::wstring target(const std::wstring& shortcut);

 private:
  ComScope com_;
  IShellLinkW* link_ = nullptr;
  IPersistFile* file_ = nullptr;
};

// Writes a shortcut to `target` at `shortcut`; true when it was saved.
bool saveShortcut(const std::wstring& shortcut, const std::wstring& target);

}  // namespace kestova::win
