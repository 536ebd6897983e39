#pragma once
// The passes over the four list files beside the program: the grid fill, Block and Unblock.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/pest_list.h"
#include "spyware/pest_registry.h"

namespace kestova::spyware {

inline constexpr const wchar_t* kIe6Message =
    L"Individual Cookie Block is only available in Internet Explorer 6. Update your Browser to use this feature";

struct PestGrid {
  std::vector<std::array<std::wstring, 3>> rows;  // name, type, "YES"/"NO"
  long long lines = 0;                            // every line read, empty ones included
};

// Called after each item of a pass: the items done and the lines of all lists (a downloaded list
// may hold 100,000 lines), so the window can show how far it is and let its queue run.
using PassProgress = std::function<void(long long done, long long total)>;

// Reads the list files that exist, in order, from the program's folder.
PestGrid readPestGrid(PestPass pass, const BlockRoots& roots = defaultBlockRoots(), const PassProgress& progress = {});

// Blocks every item; "SPY.TXT" and "SPY2.TXT" must exist. The items of "SPY2.TXT" and
// "SPY4.TXT" are blocked only when the machine P3P root opens; otherwise `owner` is told so.
// Returns the number of items blocked.
int blockAll(HWND owner, const BlockRoots& roots = defaultBlockRoots(), const PassProgress& progress = {});
// Unblocks every item of every file, twice each, and marks as unblocked the roots below which it
// removed something; returns the number of successes.
int unblockAll(const BlockRoots& roots = defaultBlockRoots(), const PassProgress& progress = {});

}  // namespace kestova::spyware
