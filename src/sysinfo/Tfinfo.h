#pragma once
// The system information window: facts about one drive, memory and swap figures, and buttons
// and links that start the system's own maintenance tools.
#include <memory>

#include "core/drive_facts.h"
#include "core/drive_table.h"
#include "sysinfo/tool_starter.h"
#include "ui/form.h"
#include "win/handles.h"

namespace kestova::sysinfo {

class Tfinfo : public ui::Form {
 public:
  // `driveTable`: the hub's drive-size table; sizes of a listed drive come from it.
  explicit Tfinfo(const DriveTable& driveTable);
  ~Tfinfo() override;

  // Tests read the command lines instead of starting the tools.
  void setToolStarter(std::unique_ptr<ToolStarter> starter) { starter_ = std::move(starter); }
  // The drive icon the panel shows; nullptr when there is none.
  HICON driveIcon() const { return icon_.get(); }

 protected:
  void build() override;
  void FormCreate() override;
  bool FormKeyDown(WORD key) override;

 private:
  void fillDriveList();
  void DriveComboBox1Change();
  // The drive panel for the letter; `probe`: first check A: and D: for a medium.
  void fillDrivePanel(wchar_t letter, bool probe);
  bool hasMedium(wchar_t letter);
  void showTexts(const LabelTexts& texts);
  void showIcon(win::Icon icon);
  std::wstring chosenDrive();
  bool startConsoleTool(const wchar_t* tool);
  void BitBtnWithColor3Click();
  void BitBtnWithColor4Click();
  void BitBtnWithColor5Click();
  void Label18Click();
  void Label19Click();
  void BitBtnWithColor2Click();

  DriveTable driveTable_;
  std::unique_ptr<ToolStarter> starter_;
  win::Icon icon_;
};

}  // namespace kestova::sysinfo
