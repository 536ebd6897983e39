#pragma once
// The progress window of the duplicate search: the sorting line, then the explanation while the
// files are compared, a bar that follows the bytes compared, and Stop.
#include <cstdint>

#include "ui/form.h"

namespace kestova::dupes {

class Tfdupg : public ui::Form {
 public:
  Tfdupg();

  // Shows the window on top for a new search, from its walk on: no line, no explanation, the bar
  // at 0 and Stop.
  void begin();
  // The walk is over: the sorting line.
  void sorting();
  // The comparison starts: the explanation replaces the sorting line.
  void comparing();
  void setProgress(std::uint64_t done, std::uint64_t total);
  // Stop was pressed (or the window closed) since begin().
  bool stopRequested() const { return stop_; }
  // Hidden at the end of every search.
  void finish();

 protected:
  void build() override;
  void FormActivate() override;
  bool FormKeyDown(WORD key) override;
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void BitBtnWithColor1Click() { stop_ = true; }

  bool stop_ = false;
  int shift_ = 0;  // the bar counts bytes >> shift_, to stay within its 32-bit range
  std::uint64_t range_ = 0;
};

}  // namespace kestova::dupes
