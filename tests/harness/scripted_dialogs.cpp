#include "harness/scripted_dialogs.h"

namespace kestova::test {

int ScriptedDialogs::message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  messages.push_back({text, caption, flags, std::nullopt, owner, owner && IsWindowVisible(owner)});
  if (answers.empty()) return (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

int ScriptedDialogs::messageAt(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags,
                               POINT at) {
  int answer = message(owner, text, caption, flags);
  messages.back().at = at;
  return answer;
}

bool ScriptedDialogs::browseFolder(HWND, const std::wstring&, std::wstring& folder) {
  browseStarts.push_back(folder);
  if (folderChoices.empty()) return false;
  folder = folderChoices.front();
  folderChoices.pop_front();
  return true;
}

bool ScriptedDialogs::openFiles(HWND, const std::wstring&, const std::wstring&, std::vector<std::wstring>& files) {
  if (fileChoices.empty()) return false;
  files = fileChoices.front();
  fileChoices.pop_front();
  return true;
}

bool ScriptedDialogs::saveFile(HWND, const std::wstring& title, const std::wstring& filter, std::wstring& file) {
  saveRequests.push_back({title, filter, file});
  if (saveChoices.empty()) return false;
  file = saveChoices.front();
  saveChoices.pop_front();
  return true;
}

ScriptedDialogsScope::ScriptedDialogsScope() {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  dialogs_ = dialogs.get();
  previous_ = win::installDialogs(std::move(dialogs));
}

ScriptedDialogsScope::~ScriptedDialogsScope() { win::installDialogs(std::move(previous_)); }

}  // namespace kestova::test
