#pragma once
// What every cleaner of the hub works with: the hub's figures, where its rows go, and the
// removal mode.
#include "core/hub_accounting.h"
#include "junk/result_sink.h"

namespace kestova::junk {

struct CleanerContext {
  HubAccounting& accounting;
  ResultSink& results;
  bool toRecycleBin = false;  // the removal mode: recycle bin, or delete from disk
};

}  // namespace kestova::junk
