#pragma once
// What the Cache, History and Cookies buttons remove: browser folders, the URL cache and its
// content folder, the profile files of the Netscape family. Every row and count is for an item
// that is really gone.
#include <string>

#include "junk/cleaner_context.h"
#include "junk/emptiers.h"

namespace kestova::junk {

class BrowserCleaner {
 public:
  explicit BrowserCleaner(const CleanerContext& context);

  // Empties a cache folder: subfolders by E2 and then removed, files deleted and listed as
  // "Shredded" while the row count is at most 100. A folder of the system browser ("emporary")
  // is left to the URL cache: false then, and nothing is touched.
  bool emptyCacheFolder(const std::wstring& folder);
  // Deletes every normal URL-cache entry but cookies and visited pages, listing them while the
  // row count is below `rowLimit`; returns how many went without a row.
  int cleanUrlCache(int rowLimit);
  // Empties the content folder of the URL cache (and its plain subfolders), listing the files
  // while the row count is at most 100 when `list`.
  void emptyContentFolder(const std::wstring& folder, bool list);

  // "netscape.hst", "history.dat", "places.sqlite" of a profile folder; the last also holds the
  // bookmarks, so it always goes to the recycle bin.
  void cleanProfileHistory(const std::wstring& profile);
  // The history folder: subfolders by E3, files (but the kept names) listed and removed.
  void cleanHistoryFolder(const std::wstring& folder);
  // The cookies folder: subfolders by E3, files removed, listed but the kept names.
  void cleanCookiesFolder(const std::wstring& folder);
  // "cookies.txt" of a profile folder.
  void cleanProfileCookies(const std::wstring& profile);
  // Deletes the cookie entries of the URL cache, whatever their type bits; no rows.
  void deleteCookieEntries();

 private:
  // Removes one file of a browser folder by the removal mode (or to the recycle bin), listing it
  // as "Shredded" when `listed`; true when it is gone.
  bool removeListed(const std::wstring& folder, const std::wstring& name, std::uint64_t size, bool toRecycleBin,
                    bool listed);
  void walkFolder(const std::wstring& folder);

  CleanerContext context_;
  Emptiers emptiers_;
};

// True for the names browser walks neither list nor (for history) remove: "desktop.ini",
// "index.dat", "INFO2" and their other spellings.
bool isBrowserKeptName(const std::wstring& name);

}  // namespace kestova::junk
