#pragma once
// The hub: drive choice, capacity and recovered lines, the result grid, the pattern boxes, and
// the entry to every other tool.
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/config_file.h"
#include "core/drive_table.h"
#include "core/hub_accounting.h"
#include "core/language.h"
#include "core/text_lines.h"
#include "shell/hub_link.h"
#include "ui/form.h"

namespace kestova::app {

class JunkCleaner;
class HubCleaners;

// Folders known for the run only.
struct RunFolders {
  std::wstring programFiles, cookies, recent, system, windows;
};

class Tfsweep : public ui::Form, public shell::HubServices {
 public:
  Tfsweep();
  ~Tfsweep() override;

  // What every action of the hub disables, so that no action starts inside another: both
  // Search buttons, Delete, the cleaning buttons, the drive box and the removal-mode items.
  static constexpr const wchar_t* kActionControls[] = {
      L"BitBtnWithColor5", L"BB4", L"bwc10", L"BB5", L"BitBtnWithColor9", L"BitBtnWithColor8",
      L"BitBtnWithColor11", L"BitBtnWithColor12", L"BitBtnWithColor13", L"BitBtnWithColor7", L"URLLabel2",
      L"BitBtnWithColor1", L"DCB1", L"Deletefiles1", L"SenddeletedfilestoRecycledbin1"};

  // What the tools read and tell (through app::Windows::hubLink, which the hub joins while it
  // lives).
  bool present() const override { return exists(); }
  wchar_t currentDrive() const override { return currentDrive_; }
  bool sendsToRecycleBin() const override { return !checked(L"Deletefiles1"); }
  HubAccounting& accounting() override { return accounting_; }
  const DriveTable& driveTable() const override { return driveTable_; }
  void showRecovered() override;

  CodedFolders& folders() { return folders_; }
  RunFolders& runFolders() { return runFolders_; }
  bool recycleFolderKnown() const { return recycleKnown_; }
  void markRecycleFolderKnown() { recycleKnown_ = true; }
  // Search, Delete, the grid's toggle and the removal mode (Tfsweep_junk.cpp).
  JunkCleaner& junkCleaner() { return *junk_; }
  // Temp Dir, the browser, recycle and recent cleaners, Click all and Clean All (Tfsweep_junk.cpp).
  HubCleaners& cleaners() { return *cleaners_; }
  int language() const { return language_; }

  // Click counters of the Recycle, Temp Dir, Cache, History and Cookies buttons.
  enum Counter { kRecycleCounter, kTempCounter, kCacheCounter, kHistoryCounter, kCookiesCounter };
  // Counts a press; true for the first press of the run.
  bool countPress(Counter counter) { return ++clickCounters_[counter] == 1; }

  // Actions of the cleaners (HubAction): true when this one is the outermost.
  bool enterAction() { return actionDepth_++ == 0; }
  void leaveAction(bool outermost);
  bool actionRunning() const { return actionDepth_ > 0; }
  // Both Delete buttons; during an action the state is applied when the action ends.
  void setDeleteButtons(bool on);
  // Focus on a control once the running action (if any) has ended.
  void focusAfterAction(const wchar_t* name);

  // The 27 pattern boxes (not the removal mode).
  static std::span<const wchar_t* const> patternBoxNames();
  void checkAllPatterns(bool on);
  // The states of the switches back as they were (pattern boxes and removal mode).
  void setSwitchStates(const SwitchStates& states);
  // The folder entries of "config.TXT" for the current drive are applied again.
  void reapplyFolders();

  // The capacity line of the current drive in Edit1, and the recovered line in Edit2.
  void showCapacity();
  // The status line: blue while an action runs, black with its result.
  void setStatus(const std::wstring& text, bool running);
  // The grid's clearing rule, used by every cleaner.
  void clearGrid();

  // Switch codes: the pattern boxes and the removal mode, kept in "config.TXT".
  void applySettings();
  // The pattern boxes and the removal mode, in the order of their switch codes.
  SwitchStates switchStates() const;
  void storeSwitchCodes();
  // A folder code gets a value: the hub's folder and the entry in "config.TXT".
  void setFolder(FolderCode code, const std::wstring& path);
  // The shell's special folders (history, cache, cookies, recent, recycle bin) and the recycle
  // folders at the root of C:, as start-up and "Auto Detect" look them up.
  void lookUpKnownFolders(bool recordEach);

  void chooseLanguage(int code);
  void translate();
  // Places the visible labels of the top row side by side, each as wide as its text.
  void layOutLabelRow();

  void selectDrive(wchar_t letter);

 protected:
  void build() override;
  void FormCreate() override;
  void FormActivate() override;
  void dpiChanged() override;
  void FormClose() override;
  bool FormKeyDown(WORD key) override;
  void place() override;

 private:
  void bindTools();
  void bindJunkCleaner();
  void readCacheSetting();
  void DCB1Change();
  void fillDriveList();
  void openHelp();
  void BitBtnWithColor15Click();

  std::vector<wchar_t> driveList_;
  DriveTable driveTable_;
  wchar_t currentDrive_ = L'C';
  HubAccounting accounting_;
  CodedFolders folders_;
  RunFolders runFolders_;
  bool recycleKnown_ = false;
  int language_ = kEnglish;
  Lines languageLines_{L""};  // the hidden memo Memo4
  int clickCounters_[5] = {};
  int actionDepth_ = 0;
  std::optional<bool> deleteButtonsWish_;
  const wchar_t* focusWish_ = nullptr;
  std::unique_ptr<JunkCleaner> junk_;
  std::unique_ptr<HubCleaners> cleaners_;
};

}  // namespace kestova::app
