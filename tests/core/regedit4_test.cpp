#include <gtest/gtest.h>

#include "core/regedit4.h"

namespace kestova::regedit4 {
namespace {

std::vector<std::uint8_t> utf16(std::wstring_view text, bool terminated = true) {
  std::vector<std::uint8_t> out;
  for (wchar_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (terminated) out.insert(out.end(), {0, 0});
  return out;
}

std::string file(const std::vector<std::string>& lines) {
  std::string text = "REGEDIT4\r\n \r\n";
  for (const auto& line : lines) text += line + "\r\n";
  return text + " \r\n";
}

TEST(Regedit4Writing, StringsAreEscapedAndConvertedToTheAnsiCodePage) {
  Value v{L"na\"me\\", kString, utf16(L"C:\\a \"b\" \u00e9\u20ac")};
  EXPECT_EQ(valueLine(v), "\"na\\\"me\\\\\"=\"C:\\\\a \\\"b\\\" \xE9\x80\"");
  EXPECT_EQ(valueLine({L"", kString, utf16(L"x")}), "\"\"=\"x\"");
  EXPECT_EQ(keyLine(L"HKEY_CURRENT_USER\\Software\\K"), "[HKEY_CURRENT_USER\\Software\\K]");
}

TEST(Regedit4Writing, NumbersAndOtherTypes) {
  EXPECT_EQ(valueLine({L"d", kDword, {0x78, 0x56, 0x34, 0x12}}), "\"d\"=dword:12345678");
  EXPECT_EQ(valueLine({L"b", kBinary, {0x00, 0xff, 0x10}}), "\"b\"=hex:00,ff,10");
  EXPECT_EQ(valueLine({L"q", 11, {1, 2}}), "\"q\"=hex(b):01,02");
  EXPECT_EQ(valueLine({L"n", 0, {}}), "\"n\"=hex(0):");
  EXPECT_EQ(valueLine({L"short", kDword, {1, 2}}), "\"short\"=hex(4):01,02");
  // Expandable and multi-strings go as ANSI bytes, the way the registry editor reads them.
  EXPECT_EQ(valueLine({L"e", kExpandString, utf16(L"%A%\u00e9")}), "\"e\"=hex(2):25,41,25,e9,00");
  // A string that cannot sit between quotes goes as bytes too.
  EXPECT_EQ(valueLine({L"s", kString, utf16(L"a\r\nb")}), "\"s\"=hex(1):61,0d,0a,62,00");
  EXPECT_EQ(valueLine({L"u", kString, utf16(L"ab", false)}), "\"u\"=hex(1):61,62");
}

TEST(Regedit4Writing, LongHexDataContinuesOnIndentedLines) {
  Value v{L"big", kBinary, std::vector<std::uint8_t>(100, 0xAB)};
  const std::string line = valueLine(v);
  std::size_t start = 0;
  int lines = 0;
  while (start < line.size()) {
    std::size_t end = line.find("\r\n", start);
    std::string part = line.substr(start, end == line.npos ? line.npos : end - start);
    EXPECT_LE(part.size(), 80u) << part;
    if (end != line.npos) {
      EXPECT_EQ(part.back(), '\\');
    }
    if (lines > 0) {
      EXPECT_EQ(part.substr(0, 2), "  ");
    }
    ++lines;
    start = end == line.npos ? line.size() : end + 2;
  }
  EXPECT_GT(lines, 3);
  auto blocks = parse(file({"[HKEY_CURRENT_USER\\K]", line}));
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].values, std::vector<Value>{v});
}

TEST(Regedit4Reading, EveryWrittenValueReadsBackTheSame) {
  const std::vector<Value> values = {
      {L"", kString, utf16(L"default")},
      {L"q\"uo\\te \u00e9", kString, utf16(L"C:\\x \"y\" \u00fc\u0152")},
      {L"empty", kString, utf16(L"")},
      {L"exp", kExpandString, utf16(L"%TEMP%\\\u00e9.txt")},
      {L"multi", kMultiString, utf16(std::wstring(L"C:\\a\0C:\\b\0\0", 11), false)},
      {L"bin", kBinary, {0, 1, 2, 0xfe, 0xff}},
      {L"dw", kDword, {0xff, 0xff, 0xff, 0xff}},
      {L"be", 5, {0, 0, 1, 0}},
      {L"q64", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {L"none", 0, {}},
      {L"crlf", kString, utf16(L"a\r\nb")},
  };
  std::vector<std::string> lines = {"[HKEY_CURRENT_USER\\Software\\A B]"};
  for (const Value& v : values) {
    EXPECT_TRUE(isLossless(v)) << valueLine(v);
    lines.push_back(valueLine(v));
  }
  lines.push_back("[HKEY_LOCAL_MACHINE\\X]");
  lines.push_back(valueLine(values[5]));
  auto blocks = parse(file(lines));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].path, L"HKEY_CURRENT_USER\\Software\\A B");
  EXPECT_EQ(blocks[0].values, values);
  EXPECT_EQ(blocks[1].values, std::vector<Value>{values[5]});
}

TEST(Regedit4Reading, AcceptsTheEditorsOwnForms) {
  auto blocks = parse("REGEDIT4\n; comment\n\n[HKEY_USERS\\.Default]\n@=\"d\"\n\"x\" = dword:0000000A\n");
  ASSERT_EQ(blocks.size(), 1u);
  ASSERT_EQ(blocks[0].values.size(), 2u);
  EXPECT_EQ(blocks[0].values[0], (Value{L"", kString, utf16(L"d")}));
  EXPECT_EQ(blocks[0].values[1], (Value{L"x", kDword, {10, 0, 0, 0}}));
}

TEST(Regedit4Reading, RejectsWhatItDoesNotUnderstandWithTheLine) {
  auto fails = [](const std::string& text, const std::string& where) {
    try {
      parse(text);
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
      return true;
    }
    return false;
  };
  EXPECT_TRUE(fails("Windows Registry Editor Version 5.00\r\n", "Line 1"));
  EXPECT_TRUE(fails("", "REGEDIT4"));
  EXPECT_TRUE(fails("REGEDIT4\r\n\"a\"=\"b\"\r\n", "Line 2"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[K]\r\n\"a\"=\"b\r\n", "Line 3"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[K]\r\n\"a\"=dword:123\r\n", "Line 3"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[K]\r\n\"a\"=hex:0g\r\n", "Line 3"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[K]\r\n\"a\"=hex(zz):00\r\n", "Line 3"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[K]\r\n\"a\"\r\n", "Line 3"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[-K]\r\n", "Line 2"));
  EXPECT_TRUE(fails("REGEDIT4\r\n[K]\r\nstray\r\n", "Line 3"));
}

// Any bytes either parse or raise FormatError; nothing else (the sanitizers watch the rest).
TEST(Regedit4Reading, SurvivesArbitraryBytes) {
  std::uint32_t seed = 12345;
  const std::string alphabet = "REGDIT4[]\"\\@=:,hexdword()0123456789abf \r\n;-";
  for (int round = 0; round < 3000; ++round) {
    std::string text = round % 2 ? "REGEDIT4\r\n[K]\r\n" : "";
    const int length = static_cast<int>(seed % 60);
    for (int i = 0; i < length; ++i) {
      seed = seed * 1103515245u + 12345u;
      text.push_back(round % 3 ? alphabet[(seed >> 16) % alphabet.size()] : static_cast<char>(seed >> 16));
    }
    try {
      parse(text);
    } catch (const FormatError&) {
    }
  }
}

TEST(Regedit4Lossless, NamesAndStringsOutsideTheCodePageAreNot) {
  EXPECT_FALSE(isLossless({L"\u4e2d", kDword, {0, 0, 0, 0}}));
  EXPECT_FALSE(isLossless({L"e", kExpandString, utf16(L"\u4e2d")}));
  EXPECT_FALSE(isLossless({L"s", kString, utf16(L"\u4e2d")}));
  EXPECT_TRUE(isLossless({L"b", kBinary, {0xff}}));
}

}  // namespace
}  // namespace kestova::regedit4
