// The hub's junk-file cleaner: its buttons, the grid's click and the removal-mode menu items.
#include "app/Tfsweep.h"
#include "junk/JunkCleaner.h"

namespace kestova::app {

Tfsweep::~Tfsweep() = default;

void Tfsweep::bindJunkCleaner() {
  junk_ = std::make_unique<junk::JunkCleaner>(*this);
  for (const wchar_t* search : {L"BitBtnWithColor5", L"BB4"}) on(search, ui::Event::Click, [this] { junk_->BB4Click(); });
  for (const wchar_t* remove : {L"bwc10", L"BB5"}) on(remove, ui::Event::Click, [this] { junk_->BB5Click(); });
  on(L"asg1", ui::Event::Click, [this] { junk_->asg1Click(); });
  for (const wchar_t* mode : {L"Deletefiles1", L"SenddeletedfilestoRecycledbin1"}) {
    on(mode, ui::Event::Click, [this] { junk_->Deletefiles1Click(); });
  }
}

}  // namespace kestova::app
