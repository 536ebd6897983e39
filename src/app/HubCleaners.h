#pragma once
// The hub's cleaning buttons beyond Search and Delete: "Tem&p Dir", "&Cache", "&History",
// "Co&okies", "Rec&ycle", "R&ecent", "Click all", "C&lean All", "Check All", "Uncheck", and the
// two browser items of "Optio&ns". The work itself is done by the engines of src/junk.
#include <initializer_list>
#include <string>

namespace kestova::junk {
struct CleanerContext;
struct CodedPath;
}  // namespace kestova::junk

namespace kestova::app {

class Tfsweep;
class JunkCleaner;

class HubCleaners {
 public:
  HubCleaners(Tfsweep& hub, JunkCleaner& junk) : hub_(hub), junk_(junk) {}

  // Handlers bound to the controls: each runs as one action.
  void BitBtn10Click();  // Temp Dir
  void BitBtn5Click();   // Cache
  void BitBtn3Click();   // History
  void BitBtn4Click();   // Cookies
  void BitBtn1Click();   // Recycle
  void BitBtn2Click();   // Recent
  void URLLabel2Click();
  void BitBtnWithColor1Click();
  void ac1Click();
  void firefoxItemClick();

 private:
  // The bodies, run inside an action.
  void tempDir();
  void cache();
  void history();
  void cookies();
  void recycle();
  void recent();
  void search();
  void removeListed();
  // A message box over a grid that shows every row listed so far.
  void say(const std::wstring& text);

  junk::CleanerContext context();
  // Shows why when one of `folders` must not be emptied: the action then removes nothing.
  bool refused(std::initializer_list<junk::CodedPath> folders);
  // Search's walk with nothing ticked when `needed`, then the boxes as they were and the
  // folder entries of the current drive again.
  void discoverIf(bool needed);
  void finish(const wchar_t* status);
  std::wstring drive() const;
  int browserVersion() const;
  // "rundll32.exe" from the system folder with the clearing command's argument.
  void clearTracks(int what, int show);

  Tfsweep& hub_;
  JunkCleaner& junk_;
};

}  // namespace kestova::app
