#pragma once
// What every cleaner of the hub works with: the hub's figures, where its rows go, the window that
// owns its questions, and the removal mode.
#include <windows.h>

#include "core/hub_accounting.h"
#include "junk/result_sink.h"
#include "win/recycle_removal.h"

namespace kestova::junk {

struct CleanerContext {
  HubAccounting& accounting;
  ResultSink& results;
  HWND owner = nullptr;
  bool toRecycleBin = false;  // the removal mode: recycle bin, or delete from disk
  win::RecycleRemoval& recycler;   // the action's answers for drives without a bin
};

}  // namespace kestova::junk
