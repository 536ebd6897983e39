#pragma once
// Empties a folder in place: its files are deleted and its subfolders emptied and removed, while
// links are removed as links and never entered.
#include <exception>
#include <functional>
#include <string>

namespace kestova::traces {

// What a cleaning removed and what it found but had to leave (in use, held by policy, no rights).
struct Tally {
  int removed = 0;
  int left = 0;
};

struct EmptyHooks {
  // Lets the message queue run after each entry; false asks the walk to stop.
  std::function<bool()> pump;
  // A folder that could not be read: shown, then the level above goes on.
  std::function<void(const std::exception&)> failed;
};

// Empties `folder` (with or without its trailing backslash); the folder itself stays. Files that
// cannot be deleted stay; a subfolder that cannot be removed ends the emptying of its parent.
// Returns false when the pump asked to stop.
bool emptyFolder(const std::wstring& folder, const EmptyHooks& hooks, Tally& tally);

}  // namespace kestova::traces
