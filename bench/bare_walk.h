#pragma once
// The floor of the walking benchmarks: every folder below `folder` enumerated once, nothing else.
#include <windows.h>

#include <cstddef>
#include <string>

#include "win/handles.h"

namespace kestova::bench {

inline std::size_t bareWalk(const std::wstring& folder) {
  std::size_t entries = 0;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((folder + L"\\*.*").c_str(), &data));
  if (!find.valid()) return 0;
  do {
    ++entries;
    bool dots = data.cFileName[0] == L'.' && (data.cFileName[1] == 0 || (data.cFileName[1] == L'.' && data.cFileName[2] == 0));
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dots) entries += bareWalk(folder + L"\\" + data.cFileName);
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

}  // namespace kestova::bench
