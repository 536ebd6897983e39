#include "stats/Tfstat.h"

#include <algorithm>
#include <cwctype>

#include "core/drive_table.h"
#include "shell/help.h"
#include "stats/collector.h"
#include "stats/stat_texts.h"
#include "ui/action.h"
#include "ui/application.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/result_menu.h"
#include "ui/translation.h"
#include "win/number_format.h"
#include "win/program_folder.h"
#include "win/shell.h"
#include "win/system_bitness.h"
#include "win/volume.h"
#include "win/volume_info.h"

namespace kestova::stats {
namespace {

using ui::ControlSpec;
using ui::Event;
using ui::Kind;

constexpr COLORREF kBandColor = 1973790;  // RGB(30, 30, 30)
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kOuterWidth = 760;
constexpr int kOpenClientHeight = 253;
constexpr int kResultOuterHeight = 534;
constexpr RECT kBand = {0, 0, 486, 88};
constexpr int kChartPoints = 30;
constexpr int kExtensionPositions = 35;

const ControlSpec kControls[] = {
    {L"dcb1", Kind::ComboBox, 10, 10, 70, 22},
    {L"BitBtnWithColor4", Kind::ColorButton, 10, 46, 120, 30, L"C&ollect Stats",
     L"Start collecting stats for the selected disk", true, true, RGB(255, 220, 200)},
    {L"RG2", Kind::GroupBox, 140, 4, 170, 80, L"Graphic", L"Type of graphic"},
    {L"RG2Item0", Kind::RadioButton, 148, 20, 156, 18, L"File Extensions", L"Type of graphic"},
    {L"RG2Item1", Kind::RadioButton, 148, 40, 156, 18, L"Directory Sizes", L"Type of graphic"},
    {L"RG2Item2", Kind::RadioButton, 148, 60, 156, 18, L"File Size top 1000", L"Type of graphic"},
    {L"RG1", Kind::GroupBox, 318, 4, 160, 80, L"Sort:", L"Type of Sort"},
    {L"RG1Item0", Kind::RadioButton, 326, 20, 146, 18, L"Type of files", L"Type of Sort"},
    {L"RG1Item1", Kind::RadioButton, 326, 40, 146, 18, L"Number of files", L"Type of Sort"},
    {L"RG1Item2", Kind::RadioButton, 326, 60, 146, 18, L"Total size", L"Type of Sort"},
    {L"Edit3", Kind::ReadOnlyEdit, 492, 8, 258, 20, L"STATUS : READY"},
    {L"Label5", Kind::Label, 492, 36, 62, 16, L"USED:"},
    {L"Label6", Kind::Label, 556, 36, 194, 16},
    {L"Label4", Kind::Label, 492, 54, 62, 16, L"FREE:"},
    {L"Label7", Kind::Label, 556, 54, 194, 16},
    {L"Label2", Kind::LinkLabel, 492, 72, 150, 16, L"View largest files", L"Show largest files"},
    {L"asg2", Kind::Grid, 2, 92, 478, 158},
    {L"ChartFX2", Kind::Chart, 482, 92, 270, 134},
    {L"ChartFX1", Kind::Chart, 4, 254, 745, 245, L"", L"", false},
};

const wchar_t* const kItemsOfRG2[] = {L"RG2Item0", L"RG2Item1", L"RG2Item2"};
const wchar_t* const kItemsOfRG1[] = {L"RG1Item0", L"RG1Item1", L"RG1Item2"};
// What a collection holds off: the collect button, both radio groups and the drive list.
const wchar_t* const kHeldOff[] = {L"BitBtnWithColor4", L"dcb1", L"RG2", L"RG2Item0", L"RG2Item1", L"RG2Item2",
                                   L"RG1", L"RG1Item0", L"RG1Item1", L"RG1Item2"};

std::wstring driveText(wchar_t letter) { return std::wstring(1, letter) + L":"; }

// Used and free space: above 1024 MB in gigabytes.
std::wstring spaceText(double megabytes) {
  if (megabytes > 1024) return win::formatThousands2(megabytes / 1024) + L"  GB";
  return win::formatThousands2(megabytes) + L"  MB";
}

std::wstring megabytesText(double megabytes) { return win::formatThousands2(megabytes) + L" Mb"; }

// Themed radio buttons and group boxes ignore the text colour; on the dark band they go plain.
void dropTheme(HWND control) {
  using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
  if (!uxtheme) return;
  auto set = reinterpret_cast<SetWindowThemeFunction>(
      reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
  if (set) set(control, L"", L"");
}

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfstat", L"Kestova - Disk Statistics", 754, kOpenClientHeight};
  return layout;
}

}  // namespace

// A collection: the held-off controls disabled, the hourglass over the window; a close asked for
// meanwhile stops the walk at its next folder and is carried out once the walk has ended.
class Tfstat::CollectScope {
 public:
  explicit CollectScope(Tfstat& form) : form_(form), action_(form, kHeldOff) { form_.collecting_ = true; }
  CollectScope(const CollectScope&) = delete;
  CollectScope& operator=(const CollectScope&) = delete;
  ~CollectScope() { form_.collecting_ = false; }
  bool closeRequested() const { return action_.closeRequested(); }

 private:
  Tfstat& form_;
  ui::Action action_;
};

Tfstat::Tfstat(shell::HubLink& hubLink) : Form(windowSpec()), hubLink_(hubLink) {}

Tfstat::~Tfstat() = default;

void Tfstat::build() {
  addControls(kControls);
  // Two radio groups: each begins at its first item, and the second box ends the first group.
  for (const wchar_t* name : {L"RG2Item0", L"RG1", L"RG1Item0"}) {
    HWND item = control(name);
    SetWindowLongPtrW(item, GWL_STYLE, GetWindowLongPtrW(item, GWL_STYLE) | WS_GROUP);
  }
  for (const wchar_t* name : {L"RG2", L"RG1", L"RG2Item0", L"RG2Item1", L"RG2Item2", L"RG1Item0", L"RG1Item1",
                              L"RG1Item2"}) {
    dropTheme(control(name));
    setTextColor(name, kWhite);
  }
  setTextColor(L"Label5", RGB(0, 0, 255));
  setTextColor(L"Label4", RGB(255, 0, 0));
  HWND status = control(L"Edit3");  // the status line shows its text in capitals
  SetWindowLongPtrW(status, GWL_STYLE, GetWindowLongPtrW(status, GWL_STYLE) | ES_UPPERCASE);
  setText(L"Edit3", L"STATUS : READY");

  ui::Grid& grid = this->grid(L"asg2");
  grid.setColumns({166, 186, 114});
  grid.setHeaderColors(kBandColor, kWhite);
  addResultMenu(L"asg2", ui::gridRows(grid), kHeldOff);

  on(L"dcb1", Event::Change, [this] { dcb1Change(); });
  on(L"BitBtnWithColor4", Event::Click, [this] { BitBtn1Click(); });
  for (const wchar_t* name : kItemsOfRG1) on(name, Event::Click, [this] { RG1Click(); });
  for (const wchar_t* name : kItemsOfRG2) on(name, Event::Click, [this] { RG2Click(); });
  on(L"Label2", Event::Click, [this] { Label2Click(); });
}

// 760 pixels wide outside and 253 high inside, then centred.
void Tfstat::place() {
  setClientHeight(kOpenClientHeight);
  Form::place();
}

void Tfstat::FormCreate() {
  fillDriveList();
  showDrive();
  // The initial choices are made without running their handlers.
  setChecked(L"RG1Item2", true);
  setChecked(L"RG2Item0", true);
  clearGrid();
  ui::Grid& grid = this->grid(L"asg2");
  grid.setCell(0, 0, L"Extension Type");
  grid.setCell(1, 0, L"Quantity");
  grid.setCell(2, 0, L"Total Size");
}

void Tfstat::FormActivate() { ui::applyTranslation(*this, kStatTexts, ui::currentLanguage()); }

bool Tfstat::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  shell::openHelpFile(hwnd());
  return true;
}

void Tfstat::fillDriveList() {
  drives_ = win::logicalDrives();
  HWND combo = control(L"dcb1");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  wchar_t start = L'C';
  if (auto* hub = hubLink_.hub()) start = hub->currentDrive();
  int selected = 0;
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(driveText(drives_[i]).c_str()));
    if (drives_[i] == start) selected = static_cast<int>(i);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

wchar_t Tfstat::selectedDrive() const {
  LRESULT index = SendMessageW(control(L"dcb1"), CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= drives_.size()) return drives_.empty() ? L'C' : drives_[0];
  return drives_[static_cast<std::size_t>(index)];
}

void Tfstat::chooseDrive(wchar_t letter) {
  auto it = std::find(drives_.begin(), drives_.end(), static_cast<wchar_t>(std::towupper(letter)));
  if (it == drives_.end()) return;
  SendMessageW(control(L"dcb1"), CB_SETCURSEL, static_cast<WPARAM>(it - drives_.begin()), 0);
  fire(L"dcb1", Event::Change);
}

void Tfstat::showDrive() {
  const wchar_t letter = selectedDrive();
  // A drive without a medium answers with an error, not with the system's "No disk" box.
  win::ErrorModeScope quiet;
  double total = 0;
  double free = 0;
  const DriveSlot* slot = nullptr;
  if (auto* hub = hubLink_.hub()) slot = hub->driveTable().findComplete(letter);
  if (slot) {
    total = megabytesOf(slot->capacityMB);
    free = megabytesOf(slot->freeMB);
  } else if (auto space = win::clusterSpace(letter)) {
    total = static_cast<double>(space->capacity) / 1024 / 1024;
    free = static_cast<double>(space->freeToUser) / 1024 / 1024;
  }
  const double used = total - free;
  setText(L"Label6", spaceText(used));
  setText(L"Label7", spaceText(free));

  ui::Chart& chart = this->chart(L"ChartFX2");
  chart.openData(1, 0, 2);
  chart.setThisSerie(0);
  chart.setTitle(0, std::wstring(1, letter) + L":/");
  chart.setValue(0, used);
  chart.setValue(1, free);
  chart.setLegend(0, L"Used Space");
  chart.setLegend(1, L"Free Space");
  chart.closeData(1);
}

void Tfstat::dcb1Change() {
  if (collecting_) return;
  showDrive();
  clearGrid();
  setEnabled(L"BitBtnWithColor4", true);
}

StatsView Tfstat::view() const {
  if (checked(L"RG2Item1")) return StatsView::Folders;
  if (checked(L"RG2Item2")) return StatsView::LargestFiles;
  return StatsView::Extensions;
}

StatsOrder Tfstat::order() const {
  if (checked(L"RG1Item0")) return StatsOrder::Name;
  if (checked(L"RG1Item1")) return StatsOrder::Count;
  return StatsOrder::Size;
}

void Tfstat::BitBtn1Click() {
  if (collecting_) return;
  const wchar_t letter = selectedDrive();
  {
    CollectScope scope(*this);
    clearGrid();
    showStatus(driveText(letter));
    win::ErrorModeScope quiet;
    const bool whole = CollectStatistics(letter, stats_, [this, &scope](const std::wstring& folder) {
      showStatus(folder);
      if (folderHook_) folderHook_(folder);
      ui::Application::processMessages();
      return !scope.closeRequested();
    });
    if (!whole) {
      // The tables hold part of the drive: none of it is shown, and the window closes when the
      // scope ends.
      showStatus(ui::textIn(kCollectionStopped, ui::currentLanguage()));
      return;
    }
  }
  collected_ = letter;
  showStatus(L"");
  // The megabyte conversion follows every collection, whatever the view.
  stats_.normaliseExtensions(true);
  const StatsView shown = view();
  if (shown != StatsView::LargestFiles) stats_.sort(shown, StatsOrder::Size);
  fillGrid();
  if (shown == StatsView::Extensions) {
    collectedChart();
  } else {
    viewChart();
  }
  showStatus(L"Task Complete");
  setOuterHeight(scaled(kResultOuterHeight));
  setEnabled(L"BitBtnWithColor4", false);
}

void Tfstat::RG1Click() {
  if (collecting_) return;
  ui::HourglassCursor hourglass;
  clearGrid();
  stats_.sort(view(), order());
  fillGrid();
}

void Tfstat::RG2Click() {
  if (collecting_) return;
  ui::HourglassCursor hourglass;
  clearGrid();
  const StatsView shown = view();
  if (shown == StatsView::Extensions) stats_.normaliseExtensions(false);
  stats_.sort(shown, StatsOrder::Size);
  fillGrid();
  viewChart();
  showStatus(L"Task Complete");
  setOuterHeight(scaled(kResultOuterHeight));
}

void Tfstat::Label2Click() {
  win::enterProgramFolder();
  // The system's own folder: a 32-bit program on 64-bit Windows would be shown SysWOW64.
  std::wstring library = win::nativeSystemFolder() + L"\\ndfetw.dll";
  bool newSearch = GetFileAttributesW(library.c_str()) != INVALID_FILE_ATTRIBUTES;
  // A failed open is not reported.
  win::shellOpen(win::programFolder() + (newSearch ? L"2.search-ms" : L"1.fnd"), L"open", hwnd());
}

void Tfstat::clearGrid() { grid(L"asg2").setRowCount(1); }

void Tfstat::fillGrid() {
  ui::Grid& grid = this->grid(L"asg2");
  ui::Grid::UpdateScope hold(grid);
  const StatsView shown = view();
  static const wchar_t* const kHeaders[3][3] = {{L"Extension Type", L"Quantity", L"Total Size"},
                                                {L"Directory Name", L"Quantity", L"Total Size"},
                                                {L"File Name", L"Path", L"Size"}};
  for (int c = 0; c < 3; ++c) grid.setCell(c, 0, kHeaders[static_cast<int>(shown)][c]);
  std::vector<std::array<std::wstring, 3>> rows;
  if (shown == StatsView::Extensions) {
    for (const auto& r : stats_.extensions()) {
      if (r.used) rows.push_back({r.extension, std::to_wstring(r.count), megabytesText(r.size)});
    }
  } else if (shown == StatsView::Folders) {
    for (const auto& r : stats_.folders()) {
      if (r.used) rows.push_back({r.folder, std::to_wstring(r.count), megabytesText(r.size)});
    }
  } else {
    for (const auto& f : stats_.largest()) {
      if (f.used) rows.push_back({f.name, f.folder, megabytesText(f.size / 1024)});
    }
  }
  grid.setRowCount(static_cast<int>(rows.size()) + 1);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < 3; ++c) grid.setCell(c, static_cast<int>(r) + 1, std::move(rows[r][static_cast<std::size_t>(c)]));
  }
}

void Tfstat::beginLargeChart(ui::Chart& chart) {
  chart.openData(1, 0, kChartPoints);
  chart.setThisSerie(0);
  chart.setTitle(0, std::wstring(1, collected_.value_or(selectedDrive())) + L":/");
  chart.setScale(2, 0);
}

// Right after a collection in the extension view: the first 30 occupied of positions 1 to 35.
void Tfstat::collectedChart() {
  ui::Chart& chart = this->chart(L"ChartFX1");
  beginLargeChart(chart);
  short k = 0;
  const auto& rows = stats_.extensions();
  for (int p = 0; p < kExtensionPositions && k < kChartPoints; ++p) {
    const ExtensionRow& row = rows[static_cast<std::size_t>(p)];
    if (!row.used) continue;
    if (chart.scale(2) < row.size) chart.setScale(2, row.size + 10);
    chart.setValue(k, row.size);
    chart.setLegend(k, L"   " + row.extension);
    ++k;
  }
  chart.closeData(1);
  setVisible(L"ChartFX1", true);
}

// Positions 1 to 30 of the view's table; a free position is a 0 without a label.
void Tfstat::viewChart() {
  ui::Chart& chart = this->chart(L"ChartFX1");
  beginLargeChart(chart);
  const StatsView shown = view();
  // The first entries in the table's order, passing over the slots merged spellings freed.
  std::vector<std::pair<double, std::wstring>> points;
  auto offer = [&points](bool used, double size, std::wstring label) {
    if (used && points.size() < static_cast<std::size_t>(kChartPoints)) points.emplace_back(size, std::move(label));
  };
  if (shown == StatsView::Extensions) {
    for (const auto& r : stats_.extensions()) offer(r.used, r.size, L"   " + r.extension);
  } else if (shown == StatsView::Folders) {
    for (const auto& r : stats_.folders()) offer(r.used, r.size, r.folder);
  } else {
    for (const auto& f : stats_.largest()) offer(f.used, f.size / 1024, f.name);
  }
  for (short p = 0; p < kChartPoints; ++p) {
    const auto index = static_cast<std::size_t>(p);
    const bool used = index < points.size();
    const double size = used ? points[index].first : 0;
    if (used && chart.scale(2) < size) chart.setScale(2, size + 10);
    chart.setValue(p, size);
    chart.setLegend(p, used ? points[index].second : L"");
  }
  chart.closeData(1);
  setVisible(L"ChartFX1", true);
}

void Tfstat::showStatus(const std::wstring& text) {
  setText(L"Edit3", text);
  UpdateWindow(control(L"Edit3"));
}

void Tfstat::setClientHeight(int height) {
  RECT r = {0, 0, 0, scaled(height)};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  setOuterHeight(r.bottom - r.top);
}

void Tfstat::setOuterHeight(int height) {
  SetWindowPos(hwnd(), nullptr, 0, 0, scaled(kOuterWidth), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  paintBand();
}

// The form's backdrop: white, with the dark band behind the drive list, button and radio groups.
void Tfstat::paintBand() {
  RECT client;
  GetClientRect(hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  win::Picture picture;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  picture.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture.bitmap) return;
  picture.width = client.right;
  picture.height = client.bottom;
  HDC screen = GetDC(hwnd());
  {
    win::MemoryDC dc(screen);
    win::SelectObjectScope select(dc.get(), picture.bitmap.get());
    FillRect(dc.get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    win::Brush band(CreateSolidBrush(kBandColor));
    RECT bandRect = {scaled(kBand.left), scaled(kBand.top), scaled(kBand.right), scaled(kBand.bottom)};
    FillRect(dc.get(), &bandRect, band.get());
  }
  ReleaseDC(hwnd(), screen);
  setBackgroundPicture(picture);
  // The group boxes are see-through: the form's erase covers them, so they paint again too.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace kestova::stats
