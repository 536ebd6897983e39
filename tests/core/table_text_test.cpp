#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table_text.h"
#include "core/text_codec.h"

namespace kestova {
namespace {

using Fields = std::vector<std::wstring>;

TEST(CsvRecord, QuotesOnlyTheFieldsThatNeedItAndDoublesTheirQuotes) {
  Fields row = {L"a,b", L"say \"hi\"", L"line\r\nbreak", L"cr\r", L"lf\n", L"  plain =  ", L"", L"2 KB"};
  EXPECT_EQ(csvRecord(row), "\"a,b\",\"say \"\"hi\"\"\",\"line\r\nbreak\",\"cr\r\",\"lf\n\",  plain =  ,,2 KB\r\n");
  EXPECT_EQ(csvRecord(Fields{}), "\r\n");
  EXPECT_EQ(csvRecord(Fields{L"\""}), "\"\"\"\"\r\n");
}

TEST(CsvRecord, WritesUtf8WithPairsJoinedAndLoneSurrogatesReplaced) {
  EXPECT_EQ(csvRecord(Fields{L"\u00E9\u20AC\u0416"}), "\xC3\xA9\xE2\x82\xAC\xD0\x96\r\n");
  // The same character as one code point (32-bit wchar_t) and as a UTF-16 pair.
  EXPECT_EQ(toUtf8(std::wstring(1, static_cast<wchar_t>(0x1F600))), "\xF0\x9F\x98\x80");
  EXPECT_EQ(toUtf8(std::wstring{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)}), "\xF0\x9F\x98\x80");
  EXPECT_EQ(toUtf8(std::wstring{static_cast<wchar_t>(0xD83D), L'x', static_cast<wchar_t>(0xDE00)}),
            "\xEF\xBF\xBDx\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8(std::wstring{static_cast<wchar_t>(0xD83D)}), "\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8(L"\u07FF\u0800"), "\xDF\xBF\xE0\xA0\x80");
}

TEST(TabSeparatedLine, KeepsEveryCellOnItsOwnLineAndColumn) {
  Fields row = {L"a\tb", L"c\r\nd", L"\u0416,\"q\"", L""};
  EXPECT_EQ(tabSeparatedLine(row), L"a b\tc  d\t\u0416,\"q\"\t\r\n");
  EXPECT_EQ(tabSeparatedLine(Fields{L"one"}), L"one\r\n");
}

TEST(ExportFileName, IsTheTitleAFileNameCanHoldAndTheDate) {
  EXPECT_EQ(exportFileName(L"Kestova :  Free disk space", 2026, 12, 9), L"Kestova Free disk space 2026-12-09.csv");
  EXPECT_EQ(exportFileName(L"Kestova : Find Duplicate files ", 2027, 1, 31), L"Kestova Find Duplicate files 2027-01-31.csv");
  EXPECT_EQ(exportFileName(L" a/b\\c*?\"<>|\t:d ", 2026, 3, 4), L"abc d 2026-03-04.csv");
  EXPECT_EQ(exportFileName(L"::", 2026, 3, 4), L"2026-03-04.csv");
}

}  // namespace
}  // namespace kestova
