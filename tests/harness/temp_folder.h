#pragma once
// A fresh folder under the prefix's temporary folder, removed with everything in it.
#include <windows.h>

#include <map>
#include <string>

namespace kestova::test {

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  // With a trailing backslash.
  const std::wstring& path() const { return path_; }
  // Writes a file of `bytes` below the folder, creating its folders; returns its full path.
  std::wstring writeFile(const std::wstring& relative, const std::string& bytes) const;

 private:
  std::wstring path_;
};

// Removes a folder and everything below it; true when it is gone.
bool removeTree(const std::wstring& folder);
bool fileExists(const std::wstring& path);
std::string fileBytes(const std::wstring& path);
// Adds `bytes` at the end of an existing file; throws when it cannot.
void appendBytes(const std::wstring& path, const std::string& bytes);
// Sets a file's last-write time (UTC); throws when it cannot.
void setWriteTime(const std::wstring& path, const SYSTEMTIME& utc);
// Every file below `folder`, by its path relative to it, with its bytes: what must stay can be
// compared byte for byte after an action.
std::map<std::wstring, std::string> treeBytes(const std::wstring& folder);
// The unix path of a Windows path, as Wine maps it.
std::string unixPath(const std::wstring& windowsPath);
// The Windows path of a unix path (\\?\unix\... when no drive holds it).
std::wstring windowsPath(const std::string& unixPath);

}  // namespace kestova::test
