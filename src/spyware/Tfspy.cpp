#include "spyware/Tfspy.h"

#include <utility>

#include "shell/help.h"
#include "spyware/list_update.h"
#include "spyware/pest_passes.h"
#include "spyware/spy_texts.h"
#include "ui/action.h"
#include "ui/application.h"
#include "ui/grid.h"
#include "ui/result_menu.h"
#include "ui/url_label.h"
#include "win/dialogs.h"

namespace kestova::spyware {
namespace {

using ui::ControlSpec;
using ui::Event;
using ui::Kind;
using ui::MenuSpec;

constexpr COLORREF kHeaderColor = 1973790;
constexpr COLORREF kProtectedColor = 8421504;
constexpr DWORD kProgressInterval = 100;  // milliseconds between two looks at the queue
constexpr const wchar_t* kRightsText = L"Blocking needs administrator rights: start Kestova with Run as administrator";

const ControlSpec kControls[] = {
    {L"Label4", Kind::Label, 16, 12, 600, 18, L"Block installation of spyware active-x controls and bad cookies (IE)."},
    {L"Label6", Kind::Label, 660, 12, 84, 18, L"Kestova"},
    {L"as1", Kind::Grid, 16, 36, 622, 384},
    {L"Edit1", Kind::ReadOnlyEdit, 16, 428, 622, 20},
    {L"BitBtnWithColor1", Kind::ColorButton, 652, 60, 96, 34, L"&Block", L"Block all items in list", true, true,
     RGB(255, 220, 200)},
    {L"Label3", Kind::URLLabel, 644, 108, 112, 18, L"&Unblock", L"remove all blocked pests"},
    {L"Label7", Kind::Label, 16, 460, 730, 18, kRightsText, L"", false},
};

const MenuSpec kMenu[] = {
    {L"Close1", L"&Close", 0},
    {L"UpdateSpywareList1", L"&Update spyware list", 0},
    {L"Help1", L"&Help", 0},
};

// What a pass disables, so that no second pass starts inside it.
const wchar_t* const kActions[] = {L"BitBtnWithColor1", L"Label3", L"Close1", L"UpdateSpywareList1"};

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfspy", L"Kestova : Block Spyware", 760, 488};
  return layout;
}

}  // namespace

// A pass: the hourglass, disabled actions and a held-back close while it lives.
class Tfspy::PassScope {
 public:
  explicit PassScope(Tfspy& form) : form_(form), action_(form, kActions) { form_.running_ = true; }
  PassScope(const PassScope&) = delete;
  PassScope& operator=(const PassScope&) = delete;
  ~PassScope() { form_.running_ = false; }

 private:
  Tfspy& form_;
  ui::Action action_;
};

Tfspy::Tfspy() : Tfspy(defaultBlockRoots()) {}

Tfspy::Tfspy(BlockRoots roots) : Form(windowSpec()), roots_(std::move(roots)) {}

void Tfspy::build() {
  addControls(kControls);
  addMenu(kMenu);
  setFont(L"Label6", 14, true);
  urlLabel(L"Label3").SetHighlight(false);  // always underlined with the hand cursor

  ui::Grid& grid = this->grid(L"as1");
  grid.setColumns({427, 104, 68});
  grid.setHeaderColors(kHeaderColor, RGB(255, 255, 255));
  addResultMenu(L"as1", ui::gridRows(grid), kActions);
  grid.cellColor = [&grid](int column, int row) {
    return column == 2 && grid.cell(column, row) == L"YES" ? kProtectedColor : RGB(255, 255, 255);
  };

  on(L"BitBtnWithColor1", Event::Click, [this] { BitBtnWithColor1Click(); });
  on(L"Label3", Event::Click, [this] { Label3Click(); });
  on(L"UpdateSpywareList1", Event::Click, [this] { UpdateSpywareList1Click(); });
  on(L"Close1", Event::Click, [this] { Close1Click(); });
  on(L"Help1", Event::Click, [this] { Help1Click(); });
}

void Tfspy::FormCreate() {
  mayBlock_ = canWriteMachineKeys(roots_);
  setVisible(L"Label7", !mayBlock_);
  PassScope filling(*this);  // the queue runs while long lists are read
  fillGrid(PestPass::WindowOpen);
}

// A standard user cannot change the machine's keys: Block would fail item by item, unseen.
bool Tfspy::refusedForRights() {
  if (mayBlock_) return false;
  win::showMessage(hwnd(), kRightsText);
  return true;
}

void Tfspy::FormActivate() { ui::applyTranslation(*this, kSpyTexts, ui::currentLanguage()); }

bool Tfspy::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  Help1Click();
  return true;
}

void Tfspy::fillGrid(PestPass pass) {
  ui::Grid& grid = this->grid(L"as1");
  ui::Grid::UpdateScope batch(grid);
  grid.setRowCount(2);
  for (int column = 0; column < 3; ++column) grid.setCell(column, 1, L"");
  const wchar_t* headers[] = {L"Pest Name --> Clsid", L"Type", L"Protected?"};
  for (int column = 0; column < 3; ++column) grid.setCell(column, 0, headers[column]);
  PestGrid pests = readPestGrid(pass, roots_, [this](long long done, long long total) { showProgress(done, total); });
  int row = 1;
  for (const auto& cells : pests.rows) {
    grid.setRowCount(row + 2);  // one empty row below the last item
    for (int column = 0; column < 3; ++column) grid.setCell(column, row, cells[static_cast<std::size_t>(column)]);
    ++row;
  }
  setText(L"Edit1", pestCountText(pests.lines, pass));
}

void Tfspy::RefreshPestGrid() { fillGrid(PestPass::Refresh); }

// A long list takes a while: the count field shows how far the pass is and the window repaints.
void Tfspy::showProgress(long long done, long long total) {
  if (done == 1) progressPacer_ = ui::Pacer(kProgressInterval);  // each pass shows its first item
  if (!progressPacer_.due()) return;
  setText(L"Edit1", std::to_wstring(done) + L" / " + std::to_wstring(total));
  ui::Application::processMessages();
}

// The grid shows what a stopped pass left; the pass's own error is the one reported.
void Tfspy::refreshAfterError() noexcept {
  if (!exists()) return;
  try {
    RefreshPestGrid();
  } catch (...) {
  }
}

void Tfspy::BitBtnWithColor1Click() {
  if (running_ || refusedForRights()) return;
  int counter = 0;
  {
    PassScope pass(*this);
    try {
      counter = blockAll(hwnd(), roots_, [this](long long done, long long total) { showProgress(done, total); });
    } catch (...) {
      refreshAfterError();
      throw;
    }
    RefreshPestGrid();
  }
  int pests = counter - 10;
  if (pests > 0) {
    win::showMessage(hwnd(), L"Kestova is now protecting your computer of: " + std::to_wstring(pests) + L"  Pests");
  }
}

void Tfspy::Label3Click() {
  if (running_ || refusedForRights()) return;
  int counter = 0;
  {
    PassScope pass(*this);
    try {
      counter = unblockAll(roots_, [this](long long done, long long total) { showProgress(done, total); });
    } catch (...) {
      refreshAfterError();
      throw;
    }
    RefreshPestGrid();
  }
  if (counter / 2 - 10 > 0) win::showMessage(hwnd(), L"Kestova removed protection against all Pests");
}

void Tfspy::UpdateSpywareList1Click() {
  if (running_) return;
  win::showMessage(hwnd(), L"Connect to Internet before clicking OK!");
  ListUpdate outcome = ListUpdate::NoUpdate;
  {
    PassScope pass(*this);
    outcome = updateSpywareLists();
  }
  if (outcome == ListUpdate::NoUpdate) {
    win::showMessage(hwnd(), L"No update is available");
    return;
  }
  win::showMessage(hwnd(), L"Database Updated - reopen Spyware screen to reload database");
  close();
}

void Tfspy::Close1Click() {
  if (!running_) close();
}

void Tfspy::Help1Click() { shell::openHelpFile(hwnd()); }

}  // namespace kestova::spyware
