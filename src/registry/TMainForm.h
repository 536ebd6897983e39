#pragma once
// The registry cleaner: search for values that point at missing files, list them, repair them
// after a backup, restore the backup.
#include <memory>

#include "registry/SearchFound.h"
#include "registry/cleaner_settings.h"
#include "registry/rdThds.h"
#include "registry/results_list.h"
#include "ui/form.h"
#include "ui/resizer.h"

namespace kestova::registry {

class TMainForm : public ui::Form {
 public:
  TMainForm();
  ~TMainForm() override;

  const TRegistryErrors& errors() const { return errors_; }
  bool searching() const { return thread_ && running_; }
  // The page shown: 0 "Main", 1 "Results".
  int page() const { return page_; }
  // The active tab of pcMain; an index that names no tab runs the criteria search.
  int activeTab() const { return settings_.activePage; }
  // The last search started was the criteria search.
  bool criteriaSearch() const { return criteriaSearch_; }
  // Waits until the running search has ended, letting its reports run.
  void waitForSearch();

 protected:
  void build() override;
  void FormCreate() override;
  void FormActivate() override;
  void FormClose() override;
  bool FormKeyDown(WORD key) override;
  void applicationHint(const std::wstring& text) override;
  void drawItem(const std::wstring& control, DRAWITEMSTRUCT& item) override;
  void measureItem(const std::wstring& control, MEASUREITEMSTRUCT& item) override;
  void dpiChanged() override;
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void showPage(int page);
  void FormResize();
  void FormDestroy();
  void RemeasureResults();
  void acSearchExecute();
  void startSearch(bool criteria);
  void SearchProgress(int keysVisited);
  void addResult();
  void SearchDone();
  void Button3Click();
  void Button4Click();
  void BitBtn1Click();
  void setActionsEnabled(bool on);
  void setEasyControlsEnabled(bool on);
  void readSearchSettingsFile(const std::wstring& path);
  int itemHeight(int index) const;

  CleanerSettings settings_;
  TRegistryErrors errors_;
  std::unique_ptr<TSearchThread> thread_;
  bool running_ = false;
  bool searchStarted_ = false;
  int page_ = 0;
  ResultLines lines_;
  bool criteriaSearch_ = false;
  std::wstring savedSearchFile_;
  std::unique_ptr<ResultsPainter> painter_;
  ui::TResizer resizer_;
};

}  // namespace kestova::registry
