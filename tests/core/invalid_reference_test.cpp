#include <gtest/gtest.h>

#include "core/invalid_reference.h"

namespace kestova::regsearch {
namespace {

const std::wstring kKey = L"HKEY_CURRENT_USER\\software\\vendor\\app";
const std::wstring kRecentKey = L"HKEY_CURRENT_USER\\software\\vendor\\recent";
const std::wstring kGood = L"C:\\old\\gone.txt";

TEST(PathExtraction, TakesThePathByTheFirstColon) {
  EXPECT_EQ(extractPath(L"C:\\a\\b.txt"), L"C:\\a\\b.txt");
  EXPECT_EQ(extractPath(L"\"C:\\tools\\run.exe\""), L"C:\\tools\\run.exe");
  EXPECT_EQ(extractPath(L"\"C:\\tools\\run.exe\" /s"), L"C:\\tools\\run.exe\" /");
  EXPECT_EQ(extractPath(L"abcd"), L"ab");                // no colon: the last two dropped
  EXPECT_EQ(extractPath(L":\\abc"), L":\\a");           // colon first
  EXPECT_EQ(extractPath(L"\x2014\x2014"), L"");          // the placeholder
  EXPECT_EQ(extractPath(L"x"), L"");
  EXPECT_FALSE(extractPath(L"abc:\\x"));                // colon at 4
  EXPECT_FALSE(extractPath(L"file://C:\\x"));
}

TEST(RuleChain, AcceptsAPlainPathOnDriveC) { EXPECT_EQ(rejectingRule(kKey, kGood), 0); }

struct RuleCase {
  int rule;
  std::wstring key;
  std::wstring path;
};

// Each rule with a case it rejects; every other rule lets the case through.
class EachRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(EachRule, RejectsWithItsNumber) {
  EXPECT_EQ(rejectingRule(GetParam().key, GetParam().path), GetParam().rule) << GetParam().rule;
}

INSTANTIATE_TEST_SUITE_P(
    RuleChain, EachRule,
    ::testing::Values(RuleCase{1, kKey, L"C:nobackslash"}, RuleCase{2, L"HKEY_CLASSES_ROOT\\x", kGood},
                      RuleCase{3, kKey + L"\\AutoplayHandlers", kGood}, RuleCase{4, kKey + L"VarLDID", kGood},
                      RuleCase{5, kKey + L"BounceBack", kGood}, RuleCase{6, kKey + L"NTI", kGood},
                      RuleCase{7, kKey + L"\\codemap", kGood}, RuleCase{8, kKey + L"\\windows", kGood},
                      RuleCase{9, kKey + L"\\microsoft", kGood}, RuleCase{10, kKey + L"\\system", kGood},
                      RuleCase{11, kKey, L"C:\\old\\7zip.txt"}, RuleCase{12, kKey, L"C:\\old\\a!.txt"},
                      RuleCase{12, kKey, L"C:\\x\\a. .txt"}, RuleCase{13, kKey, L"D:\\old\\gone.txt"},
                      RuleCase{13, kKey, L"C:\\old\\e:gone.txt"}, RuleCase{14, kKey, L"C:\\old\\b:gone.txt"},
                      RuleCase{15, kKey, L"C:\\old\\%x%.txt"}, RuleCase{16, kKey, L"C:\\old\\a+b.txt"},
                      RuleCase{17, kKey, L"C:\\old\\a-b.txt"}, RuleCase{18, kKey, L"C:\\old\\a/b.txt"},
                      RuleCase{18, kKey, L"C:\\old\\Network.txt"}, RuleCase{19, kKey, L"C:\\Local\\a.txt"},
                      RuleCase{20, kKey, L"C:\\old.d\\gone\\"}, RuleCase{21, kKey, L"C:\\old\\pagefile.sys"},
                      RuleCase{22, kKey, L"C:\\Windows\\a.txt"}, RuleCase{23, kKey, L"C:\\iolo\\a.txt"},
                      RuleCase{24, kKey, L"C:\\office\\a.txt"}, RuleCase{25, kKey, L"C:\\Application\\a"},
                      RuleCase{26, kKey, L"C:\\old\\gone.dll"}, RuleCase{26, kKey, L"C:\\Start Menu\\a"},
                      RuleCase{27, kKey, L"C:\\OFFICE\\a.txt"}, RuleCase{28, kKey, L"C:\\old\\GONE.DLL"},
                      RuleCase{29, kKey, L"C:\\Program Files\\App\\app.exe"},
                      RuleCase{30, kKey, L"C:\\a\\b.tx"}, RuleCase{31, kKey, L"C:\\old\\go\"ne.txt"}));

TEST(RuleChain, ExemptionLiftsOnlyTheMarkedRules) {
  EXPECT_TRUE(isExempt(kRecentKey));
  EXPECT_TRUE(isExempt(L"HKEY_CURRENT_USER\\history"));
  EXPECT_TRUE(isExempt(L"HKEY_CURRENT_USER\\x\\MRU"));
  EXPECT_FALSE(isExempt(L"HKEY_CURRENT_USER\\x\\mru"));  // the key text is lower case
  EXPECT_EQ(rejectingRule(kRecentKey + L"\\windows", kGood), 0);
  EXPECT_EQ(rejectingRule(kRecentKey, L"C:\\Program Files\\App\\app.exe"), 0);
  EXPECT_EQ(rejectingRule(kRecentKey, L"C:\\old\\a-b\\7.txt"), 0);
  EXPECT_EQ(rejectingRule(kRecentKey, L"C:\\Local\\OFFICE\\office\\Application.txt"), 0);
  // Unmarked rules still hold under the exemption.
  EXPECT_EQ(rejectingRule(kRecentKey, L"C:\\old\\gone.dll"), 26);
  EXPECT_EQ(rejectingRule(L"HKEY_CLASSES_ROOT\\recent", kGood), 2);
}

TEST(RuleChain, LengthLimits) {
  EXPECT_EQ(rejectingRule(kKey, L"C:\\abc\\xyz"), 0);  // 10
  EXPECT_EQ(rejectingRule(kKey, L"C:\\abc\\xy"), 30);  // 9
  std::wstring longest = L"C:\\" + std::wstring(497, L'x');
  EXPECT_EQ(rejectingRule(kKey, longest), 0);  // 500
  EXPECT_EQ(rejectingRule(kKey, longest + L"x"), 30);
}

TEST(RuleChain, QuotedPathLosesItsQuotesAndArgumentsAreRejected) {
  EXPECT_EQ(rejectingRule(kKey, *extractPath(L"\"C:\\tools\\run.exe\"")), 0);
  EXPECT_EQ(rejectingRule(kKey, *extractPath(L"\"C:\\tools\\run.exe\" /s")), 18);
}

TEST(RuleChain, JustOutsideEachLiteral) {
  EXPECT_EQ(rejectingRule(kKey + L"\\nt", kGood), 0);         // rule 6 is case-sensitive
  EXPECT_EQ(rejectingRule(kKey, L"C:\\old\\x7.txt"), 0);      // a digit not after a backslash
  EXPECT_EQ(rejectingRule(kKey, L"C:\\old\\b.txt"), 0);       // a single dot
  EXPECT_EQ(rejectingRule(kKey, L"C:\\old.d\\gone"), 0);      // a dot but no trailing backslash
  EXPECT_EQ(rejectingRule(kKey, L"C:\\old\\gone\\"), 0);      // a trailing backslash but no dot
  EXPECT_EQ(rejectingRule(kKey, L"C:\\old\\local.txt"), 0);   // rule 19 is case-sensitive
  EXPECT_EQ(rejectingRule(kKey, L"C:\\old\\Dll.txt"), 0);     // neither "dll" nor "DLL"
  EXPECT_EQ(rejectingRule(kKey, L"W:\\old\\gone.txt"), 0);    // B, C and W pass rule 13
  EXPECT_EQ(rejectingRule(kKey, L"B:\\old\\gone.txt"), 0);
}

}  // namespace
}  // namespace kestova::regsearch
