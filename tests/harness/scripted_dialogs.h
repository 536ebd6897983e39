#pragma once
// The Dialogs seam for tests: records every text shown and gives the answers queued for it.
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win/dialogs.h"

namespace kestova::test {

class ScriptedDialogs : public win::Dialogs {
 public:
  struct Shown {
    std::wstring text;
    std::wstring caption;
    UINT flags;
    std::optional<POINT> at = std::nullopt;  // where a placed box would stand
    HWND owner = nullptr;
    bool ownerShown = false;  // the owner was on screen when the box came
  };
  std::vector<Shown> messages;
  std::deque<int> answers;                   // for message(); IDOK when empty
  std::deque<std::wstring> folderChoices;    // for browseFolder(); cancelled when empty
  std::deque<std::vector<std::wstring>> fileChoices;
  std::vector<std::wstring> browseStarts;    // the folder each browse started at
  struct SaveRequest {
    std::wstring title, filter, file;  // the file the dialog proposed
  };
  std::vector<SaveRequest> saveRequests;
  std::deque<std::wstring> saveChoices;      // for saveFile(); cancelled when empty

  int message(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override;
  int messageAt(HWND, const std::wstring& text, const std::wstring& caption, UINT flags, POINT at) override;
  bool browseFolder(HWND, const std::wstring& title, std::wstring& folder) override;
  bool openFiles(HWND, const std::wstring& title, const std::wstring& filter,
                 std::vector<std::wstring>& files) override;
  bool saveFile(HWND, const std::wstring& title, const std::wstring& filter, std::wstring& file) override;
};

// Installs scripted dialogs for a scope and restores the previous ones.
class ScriptedDialogsScope {
 public:
  ScriptedDialogsScope();
  ~ScriptedDialogsScope();
  ScriptedDialogsScope(const ScriptedDialogsScope&) = delete;
  ScriptedDialogsScope& operator=(const ScriptedDialogsScope&) = delete;
  ScriptedDialogs& operator*() { return *dialogs_; }
  ScriptedDialogs* operator->() { return dialogs_; }

 private:
  ScriptedDialogs* dialogs_;
  std::unique_ptr<win::Dialogs> previous_;
};

}  // namespace kestova::test
