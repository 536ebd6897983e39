#pragma once
// Links and large trees made on the host: Wine's CreateSymbolicLinkW creates nothing, so the test runs
// the host's /bin/ln (Wine starts a unix program given by its \\?\unix\ path).
#include <string>

namespace kestova::test {

// Makes `link` a symbolic link to `target` (both Windows paths); true when the link exists.
bool makeHostLink(const std::wstring& target, const std::wstring& link);
// Renames a file on the host, where a name may differ from another only in case (through Wine,
// such a name opens the other file); true when `from` is gone.
bool renameOnHost(const std::wstring& from, const std::wstring& to);
// Starts a host program ("/usr/bin/python3") with its arguments; false when it cannot start.
// Its end cannot be waited for reliably: look for what it makes.
bool runHostProgram(const std::string& program, const std::wstring& arguments);
// Makes `count` empty files "d<k>/f<n>" + `extension`, a hundred to a folder, below `folder`
// on the host: far quicker than through Wine.
bool makeHostFiles(const std::wstring& folder, int count, const std::wstring& extension = L".tmp");
// Empties `folder` on the host (its content, not the folder itself), far quicker than through Wine.
bool emptyHostFolder(const std::wstring& folder);

// Empties a folder on the host when it goes, for the trees of makeHostFiles.
class EmptiedOnHost {
 public:
  explicit EmptiedOnHost(std::wstring folder) : folder_(std::move(folder)) {}
  EmptiedOnHost(const EmptiedOnHost&) = delete;
  EmptiedOnHost& operator=(const EmptiedOnHost&) = delete;
  ~EmptiedOnHost() { emptyHostFolder(folder_); }

 private:
  std::wstring folder_;
};

}  // namespace kestova::test
