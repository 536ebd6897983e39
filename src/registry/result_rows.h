#pragma once
// The registry cleaner's results for Copy and Export, as the list shows them: the number, the
// key, and the value and data lines that the display flags show.
#include <windows.h>

#include "registry/SearchFound.h"
#include "registry/results_list.h"
#include "ui/result_menu.h"

namespace kestova::registry {

class ResultListRows final : public ui::ResultRows {
 public:
  // `searching` is true while the search still reports errors.
  ResultListRows(HWND list, const TRegistryErrors& errors, const ResultLines& lines, const bool& searching)
      : list_(list), errors_(errors), lines_(lines), searching_(searching) {}

  std::vector<std::wstring> headers() const override;
  int count() const override;
  std::vector<std::wstring> row(int index) const override;
  std::vector<int> selected() const override;
  bool complete() const override { return !searching_; }

 private:
  HWND list_;
  const TRegistryErrors& errors_;
  const ResultLines& lines_;
  const bool& searching_;
};

}  // namespace kestova::registry
