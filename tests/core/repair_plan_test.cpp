#include <gtest/gtest.h>

#include "core/repair_plan.h"
#include "core/sid_text.h"

namespace kestova::regsearch {
namespace {

TEST(RepairRoot, KeyTextNamesItsRoot) {
  EXPECT_EQ(chooseRoot(L"HKEY_LOCAL_MACHINE\\software\\x"), RootId::LocalMachine);
  EXPECT_EQ(chooseRoot(L"HKEY_CURRENT_USER\\software\\users"), RootId::CurrentUser);  // the path is lower case
  EXPECT_EQ(chooseRoot(L"HKEY_USERS\\s-1-5"), RootId::Users);
  EXPECT_EQ(chooseRoot(L"HKEY_CLASSES_ROOT\\x"), RootId::ClassesRoot);
  EXPECT_EQ(chooseRoot(L"HKEY_CURRENT_CONFIG\\x"), RootId::CurrentConfig);
  EXPECT_EQ(chooseRoot(L"HKEY_DYN_DATA\\x"), RootId::DynData);
  EXPECT_EQ(chooseRoot(L"hkey_local_machine\\x"), RootId::None);
  EXPECT_EQ(rootNamed(L"hkey_current_user"), RootId::CurrentUser);
  EXPECT_EQ(rootNamed(L"HKEY_NOWHERE"), RootId::None);
  EXPECT_EQ(rootName(RootId::Users), L"HKEY_USERS");
}

TEST(RepairRoot, KeyPathFollowsTheFirstBackslash) {
  EXPECT_EQ(keyPathOf(L"HKEY_CURRENT_USER\\software\\a"), L"software\\a");
  EXPECT_EQ(keyPathOf(L"HKEY_CURRENT_USER"), L"");
}

TEST(FixTarget, NameAfterTheLastBackslashBeforeTheFirstDot) {
  auto t = fixTarget(L"C:\\Old\\tool.exe");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->drive, L"C:");
  EXPECT_EQ(t->fileName, L"tool.exe");
  EXPECT_FALSE(t->cut);
  auto argument = fixTarget(L"C:\\Old\\tool.exe x");
  ASSERT_TRUE(argument);
  EXPECT_EQ(argument->fileName, L"tool.exe x");  // s = 7: ten characters fit
  EXPECT_FALSE(argument->cut);
  // s = 3 allows six characters: the name is whole, marked as cut, and never searched for.
  auto cut = fixTarget(L"C:\\tool.exe -s");
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->fileName, L"tool.exe -s");
  EXPECT_TRUE(cut->cut);
  auto quoted = fixTarget(L"\"C:\\a\\b.exe\"");
  ASSERT_TRUE(quoted);
  EXPECT_EQ(quoted->drive, L"\"C");
}

TEST(FixTarget, NotFixableWithoutDotOrWithoutBackslashBeforeIt) {
  EXPECT_FALSE(fixTarget(L"C:\\Old\\tool"));
  EXPECT_FALSE(fixTarget(L"C:tool.exe\\x"));
  EXPECT_FALSE(fixTarget(L".\\x"));
}

}  // namespace
}  // namespace kestova::regsearch

namespace kestova {
namespace {

TEST(SidText, DecimalAuthorityAndUnsignedSubAuthorities) {
  const std::uint32_t subs[] = {21, 2147483648u, 4294967295u, 1000};
  EXPECT_EQ(sidText({0, 0, 0, 0, 0, 5}, subs), L"S-1-5-21-2147483648-4294967295-1000");
  EXPECT_EQ(sidText({0, 0, 0x12, 0x34, 0x56, 0x78}, {}), L"S-1-305419896");
  EXPECT_EQ(sidText({0x01, 0x02, 0, 0, 0, 0xAB}, {}), L"S-1-0x0102000000AB");
}

}  // namespace
}  // namespace kestova
