#include <gtest/gtest.h>

#include <string>

#include "core/saved_search.h"

namespace kestova {
namespace {

// Builders for the tagged values of the file.
std::string str(const std::string& s) { return std::string("\x06", 1) + static_cast<char>(s.size()) + s; }
std::string longStr(const std::string& s) {
  std::string out("\x0C", 1);
  auto n = static_cast<std::uint32_t>(s.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>(n >> (8 * i) & 0xFF);
  return out + s;
}
std::string i8(int v) { return std::string("\x02", 1) + static_cast<char>(v); }
std::string i16(int v) { return std::string("\x03", 1) + static_cast<char>(v & 0xFF) + static_cast<char>(v >> 8 & 0xFF); }
std::string i32(std::int64_t v) {
  std::string out("\x04", 1);
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
  return out;
}

std::string validFile() {
  return str("RDZ") + i8(3) + i16(4) + i32(1) +
         i8(2) + i8(1) + str("name") + i8(2) + longStr("other") +  // first list
         i8(1) + i32(7) + str("x") +                                 // second list
         i8(2) + i8(4) + i32(99) + i8(1) + str("kind one");          // third list
}

std::string errorOf(const std::string& bytes) {
  try {
    readSavedSearch(bytes);
  } catch (const SavedSearchError& e) {
    return e.what();
  }
  return "no error";
}

TEST(SavedSearch, TakesOverPerPageAndMaxRslt) {
  SavedSearch search = readSavedSearch(validFile());
  EXPECT_EQ(search.perPage, 4);
  EXPECT_EQ(search.maxRslt, 1);
}

TEST(SavedSearch, WrongSignatureOrVersionIsCorrupted) {
  EXPECT_EQ(errorOf(str("RDX") + i8(3)), "RDZ file corrupted (1)");
  EXPECT_EQ(errorOf(str("RDZ") + i8(32)), "RDZ file corrupted (1)");
  EXPECT_EQ(errorOf(str("RDZ") + i8(-1)), "RDZ file corrupted (1)");
  EXPECT_EQ(errorOf(str("RDZ") + i32(31) + i8(0) + i8(0) + i8(0) + i8(0) + i8(0)), "no error");
}

TEST(SavedSearch, DataThatEndsEarlyIsAReadError) {
  std::string file = validFile();
  for (std::size_t cut = 0; cut < file.size(); ++cut) {
    std::string error = errorOf(file.substr(0, cut));
    EXPECT_TRUE(error == "Stream read error" || error == "RDZ file corrupted (1)") << cut << ": " << error;
  }
}

TEST(SavedSearch, ALengthLargerThanTheFileIsAReadErrorNotAnAllocation) {
  std::string huge = str("RDZ") + i8(1) + i8(0) + i8(0) + i8(1) + i8(0) + std::string("\x0C\xFF\xFF\xFF\x7F", 5) + "ab";
  EXPECT_EQ(errorOf(huge), "Stream read error");
  std::string manyEntries = str("RDZ") + i8(1) + i8(0) + i8(0) + i32(0x7FFFFFFF);
  EXPECT_EQ(errorOf(manyEntries), "Stream read error");
}

TEST(SavedSearch, AnUnexpectedTypeByteIsInvalid) {
  EXPECT_EQ(errorOf(str("RDZ") + str("1")), "Invalid property value");
  EXPECT_EQ(errorOf(i8(1)), "Invalid property value");
}

}  // namespace
}  // namespace kestova
