#pragma once
// The repair of the recorded errors: every value is first written exactly, with its type and
// bytes, to the backup file "deletedkeys.reg" (REGEDIT4), which is flushed to disk; only then is
// each value deleted, or rewritten with the path of the missing file found elsewhere on its drive.
#include <functional>
#include <string>

#include "registry/SearchFound.h"

namespace kestova::registry {

struct RepairProgress {
  // Before item `position` + 1 of `maximum`: the text "Fixing item n of m" and the bar's position.
  std::function<void(const std::wstring& text, int position, int maximum)> item;
  // Each folder of the file search: "Searching for <name> <folder>".
  std::function<void(const std::wstring& text)> searching;
};

struct RepairResult {
  int cleaned = 0;  // values deleted
  int fixed = 0;    // values rewritten (or left alone because of "msme")
  int left = 0;     // values left unchanged because the backup cannot hold them exactly
  std::wstring cleanedText;  // "<n> Registry Items Cleaned"
  std::wstring fixedText;    // "<n> Registry Items Fixed", empty when none was fixed
  std::wstring leftText;     // how many were left unchanged; empty when none was
};

// The backup file beside the program: its folder + "deletedkeys.reg".
std::wstring BackupFilePath();

// Repairs errors 1..ErrorCount and sets errors.FixedCount. `extra`: look for each missing file
// on its drive. Throws win::Error, with nothing changed, when the backup cannot be written.
RepairResult RepairErrors(TRegistryErrors& errors, bool extra, const std::wstring& backupPath,
                          const RepairProgress& progress);

// The last file named `fileName` found below `startFolder` (the folder itself first, then, with
// `recursive`, its subfolders whose names hold no dot); empty when there is none.
std::wstring FindFileOnDrive(const std::wstring& startFolder, const std::wstring& fileName, bool recursive,
                             const std::function<void(const std::wstring&)>& searching);

}  // namespace kestova::registry
