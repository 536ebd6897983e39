#pragma once
// The shredder window: a list of files and folders (added by dialog or dropped from the shell)
// and the shred run that hands each to the wipe engine.
#include <memory>
#include <string>

#include "shredder/TSWipe.h"
#include "ui/dnd_list_box.h"
#include "ui/form.h"

namespace kestova::shredder {

class TFwipe : public ui::Form {
 public:
  TFwipe();
  ~TFwipe() override;

  ui::TDnDListBox& DnDListBox1() { return list_; }
  bool running() const { return engine_ != nullptr; }
  // Tests stop the run between passes through the engine's hook.
  void setPassHook(TSWipe::PassHook hook) { passHook_ = std::move(hook); }

 protected:
  void build() override;
  void FormActivate() override;
  bool FormKeyDown(WORD key) override;
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Closing hides the window: it lives for the whole program and keeps its list.
  void closeAfterAction() override { ShowWindow(hwnd(), SW_HIDE); }

 private:
  class RunScope;

  void SpeedButton1Click();
  void btnDirectoryClick();
  void Button1Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void About1Click();

  void addFromDialog(const std::wstring& path);
  int algorithm() const;
  void shredFolder(int index, const std::wstring& path);
  void shredFile(int index, const std::wstring& path);
  void showStatus(const std::wstring& text);
  void setCloseBoxEnabled(bool on);

  ui::TDnDListBox list_;
  std::unique_ptr<TSWipe> engine_;  // the engine of the current run
  TSWipe::PassHook passHook_;
};

}  // namespace kestova::shredder
