#include "core/long_path.h"

#include <gtest/gtest.h>

namespace kestova {
namespace {

// A folder chain of `length` characters below "C:\" (parts of 50, as deep trees are made).
std::wstring deepTail(std::size_t length) {
  std::wstring tail;
  while (tail.size() < length) tail += std::wstring(49, L'd') + L'\\';
  tail.resize(length);
  if (tail.back() == L'\\') tail.back() = L'x';
  return tail;
}

TEST(LongPath, PathsPastTheLimitTakeTheExtendedForm) {
  const std::wstring tail = deepTail(296);
  EXPECT_EQ(longPathForm(L"C:\\" + tail), L"\\\\?\\C:\\" + tail);
  EXPECT_EQ(longPathForm(L"\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + tail);
  // The pattern a listing asks for keeps its wildcards.
  EXPECT_EQ(longPathForm(L"d:\\" + tail + L"\\*.*"), L"\\\\?\\d:\\" + tail + L"\\*.*");
  // That form takes "/" and empty parts literally, so they are made plain separators.
  EXPECT_EQ(longPathForm(L"C:/" + tail + L"\\\\name/"), L"\\\\?\\C:\\" + tail + L"\\name\\");
  // The shortest path that needs it, and the longest that does not.
  const std::wstring edge = L"C:\\" + deepTail(kPlainPathLimit - 3);
  EXPECT_EQ(longPathForm(edge), L"\\\\?\\" + edge);
  EXPECT_EQ(longPathForm(edge.substr(0, edge.size() - 1)), edge.substr(0, edge.size() - 1));
}

TEST(LongPath, PathsTheFormWouldChangeStayAsTheyAre) {
  const std::wstring tail = deepTail(296);
  for (const std::wstring& path : {std::wstring(L"C:\\short\\name.txt"), tail, L"\\" + tail, L"C:" + tail,
                                   L"\\\\?\\C:\\" + tail, L"\\\\.\\C:\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail,
                                   L"C:\\" + tail + L"\\..\\other", L"C:\\a\\.\\" + tail, L"\\\\\\" + tail}) {
    EXPECT_EQ(longPathForm(path), path) << path.size();
  }
}

}  // namespace
}  // namespace kestova
