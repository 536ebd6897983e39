#include "spyware/pest_passes.h"

#include <optional>

#include "core/text_lines.h"
#include "spyware/block_record.h"
#include "win/dialogs.h"
#include "win/program_folder.h"
#include "win/text_file.h"

namespace kestova::spyware {
namespace {

struct ListFile {
  const wchar_t* name;
  bool required;     // at Block and Unblock
  bool cookieStage;  // at Block
};
constexpr ListFile kListFiles[] = {
    {L"SPY.TXT", true, false},
    {L"SPY2.TXT", true, true},
    {L"SPY3.TXT", false, false},
    {L"SPY4.TXT", false, true},
};

std::optional<Lines> readList(const ListFile& file, bool required) {
  win::enterProgramFolder();
  if (required) return win::readLines(file.name);
  return win::readLinesIfExists(file.name);
}

// The lines of every list there is, for the progress of a pass.
long long linesOfAllLists() {
  long long total = 0;
  for (const auto& file : kListFiles) {
    if (auto lines = readList(file, false)) total += static_cast<long long>(lines->size());
  }
  return total;
}

// Counts the items of a pass and tells `progress` of each.
class PassCounter {
 public:
  explicit PassCounter(const PassProgress& progress) : progress_(progress), total_(progress ? linesOfAllLists() : 0) {}
  void itemDone() {
    if (progress_) progress_(++done_, total_);
  }

 private:
  const PassProgress& progress_;
  long long total_;
  long long done_ = 0;
};

}  // namespace

PestGrid readPestGrid(PestPass pass, const BlockRoots& roots, const PassProgress& progress) {
  PassCounter counter(progress);
  PestGrid grid;
  int order = 0;
  for (const auto& file : kListFiles) {
    ++order;
    auto lines = readList(file, false);
    if (!lines) continue;
    grid.lines += static_cast<long long>(lines->size());
    for (const auto& line : *lines) {
      counter.itemDone();
      auto item = ParsePestLine(line, order);
      if (!item) continue;
      grid.rows.push_back({pestGridName(*item, pass), pestTypeText(item->kind),
                           IsPestProtected(item->kind, item->key, roots) ? L"YES" : L"NO"});
    }
  }
  return grid;
}

int blockAll(HWND owner, const BlockRoots& roots, const PassProgress& progress) {
  PassCounter items(progress);
  BlockRecord record(blockRecordPath());
  PrepareBlockRoots(roots);
  int counter = 0;
  for (const auto& file : kListFiles) {
    auto lines = readList(file, file.required);
    if (!lines) continue;
    if (file.cookieStage && !cookieStageAvailable(roots)) {
      win::showMessage(owner, kIe6Message);
      continue;
    }
    for (const auto& line : *lines) {
      auto item = ParsePestLine(line);
      if (item && BlockPest(item->kind, item->key, roots, &record)) ++counter;
      items.itemDone();
    }
  }
  return counter;
}

int unblockAll(const BlockRoots& roots, const PassProgress& progress) {
  PassCounter items(progress);
  BlockRecord record(blockRecordPath());
  int counter = 0;
  bool activeX = false;
  bool cookies = false;
  for (const auto& file : kListFiles) {
    auto lines = readList(file, file.required);
    if (!lines) continue;
    for (const auto& line : *lines) {
      items.itemDone();
      auto item = ParsePestLine(line);
      if (!item) continue;
      for (int round = 0; round < 2; ++round) {
        if (!UnblockPest(item->kind, item->key, roots, &record)) continue;
        ++counter;
        (item->kind == PestKind::ActiveX ? activeX : cookies) = true;
      }
    }
  }
  // A root's own value says "nothing blocked" only where this pass took something from below it.
  ResetBlockRoots(roots, activeX, cookies);
  record.save();
  return counter;
}

}  // namespace kestova::spyware
