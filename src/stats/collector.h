#pragma once
// The walk of a whole drive that fills the statistics tables: the root's folders first, then
// the folders in the order of the shared work list, each listed once.
#include <functional>
#include <string>

#include "core/disk_stats.h"

namespace kestova::stats {

// Called after each folder's files are counted, with the folder's path; returns false to stop
// the walk (the window is closing).
using FolderReport = std::function<bool(const std::wstring& folder)>;

// Resets `stats` and walks the drive `letter`. Links are neither entered, recorded nor counted.
// False when the report stopped the walk: the tables then hold only the folders walked so far.
bool CollectStatistics(wchar_t letter, DiskStats& stats, const FolderReport& report);

}  // namespace kestova::stats
