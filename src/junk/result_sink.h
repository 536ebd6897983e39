#pragma once
// Where the cleaners of the junk-file cleaner report: the rows of the result grid, the listing
// total, and the message queue they let run between items.
#include <cstdint>

#include "core/junk_rules.h"

namespace kestova::junk {

class ResultSink {
 public:
  virtual ~ResultSink() = default;
  // Adds a data row; the row count grows by one.
  virtual void addRow(JunkRow row) = 0;
  // The number of data rows.
  virtual int rowCount() const = 0;
  // The listing total, in bytes.
  virtual void addToTotal(std::uint64_t bytes) = 0;
  // Lets the queued messages run.
  virtual void pump() = 0;
};

}  // namespace kestova::junk
