// The hub's junk-file cleaner: its buttons, the grid's click and the removal-mode menu items.
#include "app/Tfsweep.h"
#include "app/HubCleaners.h"
#include "app/JunkCleaner.h"
#include "app/app_windows.h"

namespace kestova::app {

Tfsweep::~Tfsweep() { windows().hubLink.detach(this); }

void Tfsweep::bindJunkCleaner() {
  junk_ = std::make_unique<JunkCleaner>(*this);
  cleaners_ = std::make_unique<HubCleaners>(*this, *junk_);
  for (const wchar_t* search : {L"BitBtnWithColor5", L"BB4"}) on(search, ui::Event::Click, [this] { junk_->BB4Click(); });
  for (const wchar_t* remove : {L"bwc10", L"BB5"}) on(remove, ui::Event::Click, [this] { junk_->BB5Click(); });
  on(L"asg1", ui::Event::Click, [this] { junk_->asg1Click(); });
  for (const wchar_t* mode : {L"Deletefiles1", L"SenddeletedfilestoRecycledbin1"}) {
    on(mode, ui::Event::Click, [this] { junk_->Deletefiles1Click(); });
  }
  HubCleaners& c = *cleaners_;
  on(L"BitBtnWithColor9", ui::Event::Click, [&c] { c.BitBtn10Click(); });
  on(L"BitBtnWithColor11", ui::Event::Click, [&c] { c.BitBtn5Click(); });
  on(L"BitBtnWithColor12", ui::Event::Click, [&c] { c.BitBtn3Click(); });
  on(L"BitBtnWithColor13", ui::Event::Click, [&c] { c.BitBtn4Click(); });
  on(L"BitBtnWithColor7", ui::Event::Click, [&c] { c.BitBtn1Click(); });
  on(L"BitBtnWithColor8", ui::Event::Click, [&c] { c.BitBtn2Click(); });
  on(L"URLLabel2", ui::Event::Click, [&c] { c.URLLabel2Click(); });
  on(L"BitBtnWithColor1", ui::Event::Click, [&c] { c.BitBtnWithColor1Click(); });
  on(L"BitBtnWithColor10", ui::Event::Click, [this] { checkAllPatterns(true); });
  on(L"BitBtnWithColor14", ui::Event::Click, [this] { checkAllPatterns(false); });
  on(L"ac1", ui::Event::Click, [&c] { c.ac1Click(); });
  on(L"AutomaticcleanFirefoxcacheandhistorybrowserexit1", ui::Event::Click, [&c] { c.firefoxItemClick(); });
}

}  // namespace kestova::app
