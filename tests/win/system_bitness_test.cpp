#include <gtest/gtest.h>

#include "win/system_bitness.h"

namespace kestova::win {
namespace {

// A 32-bit program on 64-bit Windows that named System32 would be sent to SysWOW64.
TEST(NativeSystemFolder, IsSysnativeOnlyWhereTheSystemFolderIsRedirected) {
  EXPECT_EQ(nativeSystemFolder(true, L"C:\\Windows\\", L"C:\\Windows\\SysWOW64"), L"C:\\Windows\\Sysnative");
  EXPECT_EQ(nativeSystemFolder(false, L"C:\\Windows", L"C:\\Windows\\system32\\"), L"C:\\Windows\\system32");
  // Without a Windows folder there is nothing to build the alias on.
  EXPECT_EQ(nativeSystemFolder(true, L"", L"C:\\Windows\\SysWOW64"), L"C:\\Windows\\SysWOW64");
}

}  // namespace
}  // namespace kestova::win
