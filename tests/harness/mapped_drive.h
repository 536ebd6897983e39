#pragma once
// A spare drive letter mapped to a fresh temporary folder, as a fixed drive, for a test that
// needs a whole drive with known content, or a second letter for another drive's folder. The
// mapping is a link in the prefix's dosdevices made through Wine's mount manager; it goes away
// with this object.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "harness/temp_folder.h"
#include "win/handles.h"

namespace kestova::test {

class MappedDrive {
 public:
  // `type` is a DRIVE_* value; `preferred` a letter to take when it is free.
  explicit MappedDrive(UINT type = DRIVE_FIXED, wchar_t preferred = 0);
  // A letter for a folder of the host (a Unix path), made and removed by the caller.
  static std::unique_ptr<MappedDrive> forHostFolder(const std::string& unixPath);
  // Another letter for the folder of `drive`: both letters name the same files.
  static std::unique_ptr<MappedDrive> secondLetterFor(const MappedDrive& drive);
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;
  ~MappedDrive();

  wchar_t letter() const { return letter_; }
  // "M:\"
  std::wstring root() const { return std::wstring(1, letter_) + L":\\"; }
  // The same folder through its C: path.
  const TempFolder& folder() const { return *folder_; }
  // Maps the letter again, as after a change of medium: Wine reads a volume's label and serial
  // (".windows-label", ".windows-serial" in its root) when the drive is mapped.
  void remount();

 private:
  MappedDrive(std::string target, UINT type, wchar_t preferred);
  void map(UINT type, wchar_t preferred);

  std::optional<TempFolder> folder_;  // none for a second letter
  std::string target_;
  win::Handle lock_;
  wchar_t letter_ = 0;
  UINT type_ = DRIVE_FIXED;
};

// Removes a drive letter's mapping; true when the letter is free afterwards.
bool unmapDrive(wchar_t letter);

}  // namespace kestova::test
