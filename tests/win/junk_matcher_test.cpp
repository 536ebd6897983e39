// The program's own wildcard matching, over one directory read, against the system's
// FindFirstFileW on the same folder, pattern by pattern.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/dos_wildcard.h"
#include "core/junk_patterns.h"
#include "core/text_codec.h"
#include "harness/temp_folder.h"
#include "win/directory_listing.h"
#include "win/handles.h"

namespace kestova::test {
namespace {

std::vector<std::wstring> systemMatches(const std::wstring& folder, const std::wstring& mask) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  win::FindHandle find(FindFirstFileW((folder + mask).c_str(), &data));
  if (!find.valid()) return names;
  do {
    names.push_back(data.cFileName);
  } while (FindNextFileW(find.get(), &data));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::wstring> programMatches(const std::vector<win::DirectoryEntry>& entries, const std::wstring& mask) {
  std::vector<std::wstring> names;
  for (const auto& entry : entries) {
    if (dosMatchEntry(mask, entry.name, entry.shortName)) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Names that sit on the edges of the patterns, and random ones built from their characters.
std::vector<std::wstring> generatedNames() {
  std::vector<std::wstring> names = {
      L"x.tmp", L"X.TMP", L"a.b.tmp", L".tmp", L"x.tmpx", L"averyveryverylongname.tmpfile", L"foo.tmp ",
      L"x.tm", L"tmp", L"~x", L"~x.doc", L"x~", L"x.b~", L"x.~", L"x.~mp", L"setup.$$$", L"x.---", L"x.chk",
      L"x.ftg", L"x.old", L"x.old.txt", L"x.fts", L"a.log", L"a.lo.log", L"a.logx", L"x.ac$", L"x.swr", L"x.xlg",
      L"user.dmp", L"x.^", L"x.^^", L"x.___", L"x.__", L"x.chw", L"x.bk!", L"x.err", L"x.ab$", L"x.b$",
      L"x.abc$", L"x.$sa", L"x.@@@", L"x.asd", L"x.as.asd", L"x.nch", L"chklist.ms", L"chklist.ms.old",
      L"xchklist.ms", L"link.lnk", L"link.lnk.txt", L"a very long name with blanks.log", L"\u00E9t\u00E9.tmp",
      L"noext", L"a..tmp", L"many.dots.in.name.old", L"x.TMP.bak", L"LONGEXTENSION.DMPX", L"short.lnkx",
  };
  const std::wstring alphabet = L"atmpTMPlogLOG..~~$-_^!@#dkn";
  std::mt19937 random(20261208);
  for (int i = 0; i < 400; ++i) {
    std::size_t length = 1 + random() % 14;
    std::wstring name;
    for (std::size_t c = 0; c < length; ++c) name += alphabet[random() % alphabet.size()];
    names.push_back(name);
  }
  return names;
}

TEST(JunkMatcher, AnswersAsFindFirstFileDoesForEveryPattern) {
  TempFolder folder;
  int created = 0;
  for (const auto& name : generatedNames()) {
    win::FileHandle file(CreateFileW((folder.path() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) ++created;
  }
  for (const wchar_t* dir : {L"old.tmp", L"sub.LOG", L"~dir", L"plain"}) {
    CreateDirectoryW((folder.path() + dir).c_str(), nullptr);
  }
  ASSERT_GT(created, 300);

  std::wstring base = folder.path().substr(0, folder.path().size() - 1);
  std::vector<win::DirectoryEntry> entries = win::readDirectory(base);
  bool sawShortName = false;
  for (const auto& entry : entries) sawShortName = sawShortName || !entry.shortName.empty();
  EXPECT_TRUE(sawShortName) << "the directory read gives no 8.3 names to match";

  std::vector<std::wstring> masks = {kLinkMask, L"*.*", L"*", L"?.TMP", L"*.T?P", L"a*b*.*", L"*.", L"x.*"};
  for (const auto& pattern : kJunkPatterns) masks.push_back(pattern.mask);
  int matched = 0;
  for (const auto& mask : masks) {
    auto expected = systemMatches(folder.path(), mask);
    EXPECT_EQ(programMatches(entries, mask), expected) << "mask " << toCp1252(mask);
    matched += static_cast<int>(expected.size());
  }
  EXPECT_GT(matched, 500);  // the comparison covered real matches, not empty sets
}

}  // namespace
}  // namespace kestova::test
