// The search thread against the real registry of the test prefix, with a search text that only
// the test's own keys hold.
#include <gtest/gtest.h>

#include "core/reg_data_text.h"
#include "registry/rdThds.h"
#include "harness/test_keys.h"

namespace kestova::registry {
namespace {

using test::TestKey;
using test::uniqueKeyName;
using test::utf16Bytes;

const std::wstring kDash = L"\u2014\u2014";

struct SearchRun {
  std::vector<TSearchHit> hits;
  std::vector<std::pair<int, int>> progress;
  std::vector<DWORD> threads;
  std::uint8_t status = 0;
  int keysVisited = 0;
  int reported = 0;
};

SearchRun search(const std::wstring& text, const TKeyEquivalents& equivalents = KeyEquivalents(),
           const std::function<void(TSearchThread&, const TSearchHit&)>& onHit = {}) {
  SearchRun run;
  TSearchThread* self = nullptr;
  bool ended = false;
  TSearchThread thread(
      text, [&](int keys, int reported) { run.progress.emplace_back(keys, reported); },
      [&](const TSearchHit& hit) {
        run.threads.push_back(GetCurrentThreadId());
        run.hits.push_back(hit);
        if (onHit) onHit(*self, hit);
      },
      0, false, equivalents);
  self = &thread;
  thread.OnTerminate = [&] { ended = true; };
  thread.Start();
  thread.WaitFor();
  MSG msg;
  while (!ended && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);  // the termination event
  run.status = thread.Status();
  run.keysVisited = thread.KeysVisited();
  run.reported = thread.ReportedCount();
  return run;
}

std::vector<TSearchHit> hitsBelow(const SearchRun& run, const std::wstring& keyTextPrefix) {
  std::vector<TSearchHit> hits;
  for (const auto& hit : run.hits) {
    if (hit.Key.compare(0, keyTextPrefix.size(), keyTextPrefix) == 0) hits.push_back(hit);
  }
  return hits;
}

class SearchThread : public ::testing::Test {
 protected:
  SearchThread() {
    if (KeyEquivalents().empty()) InitializeKeyEquivalents();
  }
  const std::wstring name = uniqueKeyName(L"Search");
  const std::wstring mark = L"Kx" + std::to_wstring(GetCurrentProcessId()) + L"Qz";  // a search text only we hold
  TestKey key{HKEY_CURRENT_USER, L"Software\\" + name};
  const std::wstring keyText = L"HKEY_CURRENT_USER\\software\\" + regsearch::lowerAscii(name);
};

TEST_F(SearchThread, ReportsNameAndDataHitsInNameOrderWithTheirDataTexts) {
  key.setString(L"a dll", L"C:\\a.dll");
  std::wstring longText(300, L'x');
  longText.replace(199, 2, L":\\");
  key.setString(L"b long", longText);
  key.set(L"C:\\temp\\x.txt", REG_DWORD, {7, 0, 0, 0});
  key.set(L"d wide", REG_BINARY, utf16Bytes(L"C:\\w.txt"));
  key.setString(L"e none", L"no path here");

  const SearchRun run = search(L":\\");
  ASSERT_EQ(run.status, TSearchThread::Finished);
  const auto hits = hitsBelow(run, keyText);
  ASSERT_EQ(hits.size(), 4u);
  EXPECT_EQ(hits[0].ValueName, L"a dll");
  EXPECT_EQ(hits[0].Data, L"C:\\a.dll");
  EXPECT_EQ(hits[0].DataMatchPos, 2);
  EXPECT_EQ(hits[0].DataMatchLen, 2);
  EXPECT_EQ(hits[0].Key, keyText);
  EXPECT_EQ(hits[0].KeyPath, L"Software\\" + name);
  EXPECT_EQ(hits[0].RootKey, HKEY_CURRENT_USER);

  EXPECT_EQ(hits[1].ValueName, L"b long");
  EXPECT_EQ(hits[1].Data, L"\u00ab\u2026" + longText.substr(150, 100) + L"\u2026\u00bb");
  EXPECT_EQ(hits[1].DataMatchPos, 52);

  EXPECT_EQ(hits[2].ValueName, L"C:\\temp\\x.txt");  // the name alone matches
  EXPECT_EQ(hits[2].Data, kDash);
  EXPECT_EQ(hits[2].NameMatchPos, 2);
  EXPECT_EQ(hits[2].NameMatchLen, 2);
  EXPECT_EQ(hits[2].DataMatchPos, 0);

  EXPECT_EQ(hits[3].ValueName, L"d wide");
  EXPECT_EQ(hits[3].Data, L"C.:.\\.w...t.x.t...");
  EXPECT_EQ(hits[3].DataMatchLen, 4);
  EXPECT_EQ(hits[3].DataMatchPos, 3);
}

TEST_F(SearchThread, KeyWhoseNameMatchesIsReportedOnceWhenNoValueDoes) {
  const std::wstring child = L"Has" + mark + L"Inside";
  TestKey quiet(HKEY_CURRENT_USER, key.path() + L"\\" + child);
  quiet.setString(L"v", L"nothing");
  TestKey loud(HKEY_CURRENT_USER, key.path() + L"\\Loud" + mark);
  loud.setString(L"w", mark);

  TestKey empty(HKEY_CURRENT_USER, key.path() + L"\\Empty" + mark);  // no values at all

  const SearchRun run = search(mark);
  const auto hits = hitsBelow(run, keyText);
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(hits[0].Key, keyText + L"\\empty" + regsearch::lowerAscii(mark));
  EXPECT_EQ(hits[0].ValueName, kDash);
  const TSearchHit& keyHit = hits[1];
  EXPECT_EQ(keyHit.Key, keyText + L"\\" + regsearch::lowerAscii(child));
  EXPECT_EQ(keyHit.KeyPath, L"Software\\" + name + L"\\" + child);
  EXPECT_EQ(keyHit.ValueName, kDash);
  EXPECT_EQ(keyHit.Data, kDash);
  EXPECT_EQ(keyHit.KeyMatchLen, static_cast<int>(mark.size()));
  EXPECT_EQ(regsearch::upperAscii(keyHit.Key.substr(static_cast<std::size_t>(keyHit.KeyMatchPos - 1), mark.size())),
            regsearch::upperAscii(mark));
  // The other key is reported for its value only, with its own name highlighted too.
  EXPECT_EQ(hits[2].ValueName, L"w");
  EXPECT_GT(hits[2].KeyMatchPos, 0);
  EXPECT_EQ(hits[2].DataMatchPos, 1);
}

TEST_F(SearchThread, AliasSubtreesAreNotEnteredAndClassesRootComesLast) {
  key.setString(L"u", mark);
  TestKey classes(HKEY_CLASSES_ROOT, name);
  classes.setString(L"c", mark);
  const std::wstring lower = regsearch::lowerAscii(name);

  const SearchRun run = search(mark);
  std::vector<std::wstring> keys;
  for (const auto& hit : run.hits) keys.push_back(hit.Key);
  EXPECT_EQ(keys, (std::vector<std::wstring>{keyText, L"HKEY_CLASSES_ROOT\\" + lower}));

  const SearchRun twice = search(mark, {});
  std::vector<std::wstring> roots;
  for (const auto& hit : twice.hits) roots.push_back(hit.Key.substr(0, hit.Key.find(L'\\')));
  EXPECT_EQ(roots, (std::vector<std::wstring>{L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS",
                                              L"HKEY_CLASSES_ROOT"}));
  ASSERT_EQ(twice.hits.size(), 4u);
  EXPECT_EQ(twice.hits[1].Key, L"HKEY_LOCAL_MACHINE\\software\\classes\\" + lower);
  EXPECT_GT(twice.keysVisited, run.keysVisited);
}

TEST_F(SearchThread, ProgressEveryHundredKeysAndEveryCallOnTheCallersThread) {
  for (int i = 0; i < 5; ++i) key.setString(L"v" + std::to_wstring(i), mark);
  const SearchRun run = search(mark);
  ASSERT_EQ(run.status, TSearchThread::Finished);
  ASSERT_GT(run.keysVisited, 1000);
  ASSERT_EQ(run.progress.size(), static_cast<std::size_t>(run.keysVisited / 100));
  for (std::size_t i = 0; i < run.progress.size(); ++i) EXPECT_EQ(run.progress[i].first, 100 * static_cast<int>(i + 1));
  EXPECT_EQ(run.reported, static_cast<int>(run.hits.size()));
  EXPECT_EQ(run.hits.size(), 5u);
  for (DWORD thread : run.threads) EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(SearchThread, StopRequestEndsTheWalkAfterTheCurrentValueWithStatus2) {
  for (int i = 0; i < 3; ++i) key.setString(L"v" + std::to_wstring(i), mark);
  const SearchRun run = search(mark, KeyEquivalents(), [](TSearchThread& thread, const TSearchHit&) { thread.Terminate(); });
  EXPECT_EQ(run.status, TSearchThread::Stopped);
  EXPECT_EQ(run.hits.size(), 1u);
  EXPECT_EQ(run.reported, 1);
}

TEST_F(SearchThread, ErrorInTheCallbackAbandonsOnlyThatKey) {
  TestKey first(HKEY_CURRENT_USER, key.path() + L"\\1");
  first.setString(L"a", mark);
  first.setString(L"b", mark);
  TestKey second(HKEY_CURRENT_USER, key.path() + L"\\2");
  second.setString(L"c", mark);
  const SearchRun run = search(mark, KeyEquivalents(), [](TSearchThread&, const TSearchHit& hit) {
    if (hit.ValueName == L"a") throw std::runtime_error("refused");
  });
  std::vector<std::wstring> names;
  for (const auto& hit : run.hits) names.push_back(hit.ValueName);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"c"}));
  EXPECT_EQ(run.status, TSearchThread::Finished);
}

TEST_F(SearchThread, CriteriaModeReportsEveryEnteredKeyOfItsHivesOnce) {
  std::vector<TSearchHit> hits;
  TSearchThread thread(L":\\", {}, [&](const TSearchHit& hit) { hits.push_back(hit); }, 0, false, {}, {}, {}, false,
                       false, false, kHiveCurrentConfig);
  thread.Start();
  thread.WaitFor();
  EXPECT_EQ(thread.Status(), TSearchThread::Finished);
  ASSERT_GT(hits.size(), 1u);
  EXPECT_EQ(static_cast<int>(hits.size()), thread.KeysVisited());
  EXPECT_EQ(hits[0].Key, L"HKEY_CURRENT_CONFIG");
  for (const auto& hit : hits) {
    EXPECT_EQ(hit.Key.rfind(L"HKEY_CURRENT_CONFIG", 0), 0u);
    EXPECT_TRUE(hit.ValueName.empty());
    EXPECT_TRUE(hit.Data.empty());
    EXPECT_EQ(hit.KeyMatchPos + hit.NameMatchPos + hit.DataMatchPos, 0);
  }
}

TEST_F(SearchThread, DestroyingARunningSearchStopsAndWaitsForIt) {
  int calls = 0;
  {
    TSearchThread thread(L":\\", {}, [&](const TSearchHit&) { ++calls; }, 0, false);
    thread.Start();
    Sleep(20);
  }
  const int after = calls;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(calls, after);  // no report arrives once it is gone
}

}  // namespace
}  // namespace kestova::registry
