#include <gtest/gtest.h>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "core/pest_list.h"
#include "core/text_codec.h"

namespace kestova {
namespace {

std::string shipped(const char* name) {
  std::ifstream file(std::string(KESTOVA_SOURCE_DIR) + "/res/dist/" + name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::wstring folded(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// The four lists as they ship: each line an item the list check takes (a class identifier in
// upper case, two blanks and its name; or a site), CR LF after every line, nothing twice.
TEST(ShippedPestLists, EveryLineIsAnItemEndedByCrLfAndNoItemIsListedTwice) {
  struct List {
    const char* name;
    PestKind kind;
  };
  const List lists[] = {{"SPY.TXT", PestKind::ActiveX},
                        {"SPY2.TXT", PestKind::Cookie},
                        {"SPY3.TXT", PestKind::ActiveX},
                        {"SPY4.TXT", PestKind::Cookie}};
  std::map<std::wstring, std::string> seen;  // folded key -> the file that listed it
  for (const List& list : lists) {
    const std::string bytes = shipped(list.name);
    ASSERT_FALSE(bytes.empty()) << list.name;
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << list.name;
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t end = bytes.find("\r\n", start);
      ASSERT_NE(end, std::string::npos) << list.name;
      const std::wstring line = fromCp1252(bytes.substr(start, end - start));
      start = end + 2;
      SCOPED_TRACE(std::string(list.name) + ": " + toCp1252(line));
      EXPECT_EQ(line.find_first_of(L"\r\n"), std::wstring::npos) << "a lone CR or LF";
      EXPECT_TRUE(isValidPestList(line));
      auto item = ParsePestLine(line);
      ASSERT_TRUE(item);
      EXPECT_EQ(item->kind, list.kind);
      if (list.kind == PestKind::ActiveX) {
        EXPECT_EQ(line.substr(38, 2), L"  ");
        EXPECT_FALSE(item->name.empty());
        for (wchar_t c : item->key) EXPECT_FALSE(std::iswlower(c)) << "the identifier in upper case";
      }
      auto [at, fresh] = seen.emplace(folded(item->key), list.name);
      EXPECT_TRUE(fresh) << "also listed in " << at->second;
    }
  }
}

}  // namespace
}  // namespace kestova
