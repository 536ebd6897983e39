#include "registry/TMainForm.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

#include "core/saved_search.h"
#include "registry/TMainForm_texts.h"
#include "registry/rdfuncs.h"
#include "registry/repair.h"
#include "registry/restore.h"
#include "registry/result_rows.h"
#include "shell/help.h"
#include "ui/action.h"
#include "ui/application.h"
#include "ui/translation.h"
#include "win/error.h"
#include "win/jpeg_image.h"
#include "win/program_folder.h"
#include "win/text_file.h"

namespace kestova::registry {
namespace {

using ui::Kind;

constexpr int kDefaultItemHeight = 54;
constexpr const wchar_t* kBackgroundPicture = L"fixpc.jpg";
constexpr COLORREF kDark = RGB(43, 74, 122);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// What the repair and a search disable.
constexpr const wchar_t* kActions[] = {L"sbSearchE", L"Button3", L"Button4"};
// Reads the saved search once the window is on screen, so that its messages appear over it.
constexpr UINT kReadSavedSearch = WM_APP + 1;

const ui::ControlSpec kControls[] = {
    {L"PageMain", Kind::Panel, 0, 0, 760, 480},
    {L"Label4", Kind::Label, 20, 14, 300, 26, L"Fix PC errors", L"", true, true, CLR_INVALID, L"PageMain"},
    {L"Label6", Kind::Label, 620, 14, 120, 26, L"Kestova", L"", true, true, CLR_INVALID, L"PageMain"},
    {L"sbSearchE", Kind::Button, 20, 70, 130, 34, L"&Search", L"Begin search| for invalid registry keys", true, true,
     CLR_INVALID, L"PageMain"},
    {L"Button2", Kind::Button, 20, 114, 130, 30, L"R&esults", L"Show registry keys with errors", false, true,
     CLR_INVALID, L"PageMain"},
    {L"Button3", Kind::Button, 20, 154, 130, 30, L"&Repair", L"Fix or clean invalid registry keys found", false, true,
     CLR_INVALID, L"PageMain"},
    {L"CheckBox1", Kind::CheckBox, 20, 194, 130, 22, L"Extra", L"Try to repair keys finding correct path", true, true,
     CLR_INVALID, L"PageMain"},
    {L"BitBtn1", Kind::Button, 20, 226, 130, 30, L"&Help", L"Help file", true, true, CLR_INVALID, L"PageMain"},
    {L"Button4", Kind::Button, 20, 266, 130, 30, L"Re&store", L"Restore keys deleted on previous clean.", true, false,
     CLR_INVALID, L"PageMain"},
    {L"ebNow", Kind::Edit, 20, 306, 130, 22, L":\\", L"", false, true, CLR_INVALID, L"PageMain"},
    {L"pcMain", Kind::TabControl, 170, 70, 570, 390, L"Find Invalid Registry Keys ", L"", true, true, CLR_INVALID,
     L"PageMain"},
    {L"tsEasy", Kind::Panel, 180, 104, 550, 346, L"", L"", true, true, CLR_INVALID, L"PageMain"},
    {L"Label1", Kind::Label, 14, 20, 520, 40, L"", L"", true, true, CLR_INVALID, L"tsEasy"},
    {L"Label2", Kind::Label, 14, 70, 520, 40, L"", L"", true, true, CLR_INVALID, L"tsEasy"},
    {L"Label3", Kind::Label, 14, 120, 520, 40, L"", L"", true, true, CLR_INVALID, L"tsEasy"},
    {L"pb1", Kind::ProgressBar, 14, 180, 520, 20, L"", L"", false, true, CLR_INVALID, L"tsEasy"},
    {L"Edit1", Kind::ReadOnlyEdit, 14, 214, 520, 22, L"", L"", false, true, CLR_INVALID, L"tsEasy"},

    {L"PageResults", Kind::Panel, 0, 0, 760, 480, L"", L"", false},
    {L"pnlSearch", Kind::Panel, 0, 0, 760, 40, L"", L"", true, true, CLR_INVALID, L"PageResults"},
    {L"lblSearch", Kind::Label, 12, 10, 500, 20, L"Searching...", L"", true, true, CLR_INVALID, L"pnlSearch"},
    {L"Button1", Kind::Button, 650, 5, 100, 30, L"&Back", L"", false, true, CLR_INVALID, L"pnlSearch"},
    {L"lbResults", Kind::OwnerDrawList, 0, 40, 760, 440, L"", L"Results|Results of the current search", true, true,
     CLR_INVALID, L"PageResults"},

    {L"StatusBar1", Kind::StatusBar, 0, 480, 760, 20},
};

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"TMainForm", L"Kestova : Fix PC errors", 760, 500, WS_OVERLAPPEDWINDOW};
  layout.fontPoints = 10;  // Arial 13 pixels
  layout.minTrackWidth = 500;
  layout.minTrackHeight = 390;
  return layout;
}

std::wstring format(const wchar_t* pattern, int a, int b = 0) {
  wchar_t buffer[128];
  std::swprintf(buffer, 128, pattern, a, b);
  return buffer;
}

// A right-button press with no modifier key selects the result under the pointer.
LRESULT CALLBACK resultsListProc(HWND list, UINT msg, WPARAM wp, LPARAM lp) {
  auto original = reinterpret_cast<WNDPROC>(GetPropW(list, L"KestovaListProc"));
  if (msg == WM_RBUTTONDOWN && (wp & (MK_SHIFT | MK_CONTROL)) == 0) {
    LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lp);
    if (HIWORD(hit) == 0) SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
  }
  if (msg == WM_NCDESTROY) RemovePropW(list, L"KestovaListProc");
  return CallWindowProcW(original, list, msg, wp, lp);
}

// The first activation of the window in the life of the process reads the saved search.
bool& firstActivation() {
  static bool first = true;
  return first;
}

}  // namespace

TMainForm::TMainForm() : Form(windowSpec()) {}

TMainForm::~TMainForm() {
  // The worker must not outlive the window it reports to.
  thread_.reset();
}

void TMainForm::build() {
  addControls(kControls);
  setFont(L"Label4", 14, true);
  setFont(L"Label6", 14, true);
  setTextColor(L"Label4", kWhite);
  setTextColor(L"Label6", kWhite);
  // The progress texts lie over the tab's page.
  SetWindowPos(control(L"tsEasy"), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  setBackColor(L"Label6", kDark);
  for (const wchar_t* name : {L"Label1", L"Label2", L"Label3"}) setFont(name, 16, false);
  setChecked(L"CheckBox1", true);
  painter_ = std::make_unique<ResultsPainter>(font(), dpi());
  HWND list = control(L"lbResults");
  SetPropW(list, L"KestovaListProc", reinterpret_cast<HANDLE>(GetWindowLongPtrW(list, GWLP_WNDPROC)));
  SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(resultsListProc));
  errors_.OnRecorded = [this](const TResult&) { addResult(); };
  addResultMenu(L"lbResults", std::make_unique<ResultListRows>(list, errors_, lines_, running_), kActions);

  on(L"sbSearchE", ui::Event::Click, [this] { acSearchExecute(); });
  on(L"Button1", ui::Event::Click, [this] { showPage(0); });
  on(L"Button2", ui::Event::Click, [this] { showPage(1); });
  on(L"Button3", ui::Event::Click, [this] { Button3Click(); });
  on(L"Button4", ui::Event::Click, [this] { Button4Click(); });
  on(L"BitBtn1", ui::Event::Click, [this] { BitBtn1Click(); });
}

void TMainForm::FormCreate() {
  showPage(0);
  try {
    win::enterProgramFolder();
    setBackgroundPicture(win::loadJpeg(kBackgroundPicture));
  } catch (const std::exception&) {
    // Without its picture the window stays plain white.
  }
  settings_ = readCleanerSettings(SettingsFilePath());
  HWND tabs = control(L"pcMain");
  if (settings_.buttons == 1) {
    SetWindowLongPtrW(tabs, GWL_STYLE, GetWindowLongPtrW(tabs, GWL_STYLE) | TCS_BUTTONS);
  }
  // An index that names no tab leaves no tab active.
  SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(settings_.activePage), 0);
  searchStarted_ = false;
  setEnabled(L"Button4", true);
}

void TMainForm::FormActivate() {
  if (firstActivation()) {
    firstActivation() = false;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring file = arguments && count > 1 ? arguments[1] : L"";
    if (arguments) LocalFree(arguments);
    DWORD attributes = file.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      savedSearchFile_ = file;
      PostMessageW(hwnd(), kReadSavedSearch, 0, 0);
    }
  }
  ui::applyTranslation(*this, kMainFormTexts, ui::currentLanguage());
}

void TMainForm::readSearchSettingsFile(const std::wstring& path) {
  settings_.activePage = 1;  // names no tab: later searches use the criteria mode
  SendMessageW(control(L"pcMain"), TCM_SETCURSEL, 1, 0);
  try {
    SavedSearch search = readSavedSearch(win::readBytes(path));
    settings_.perPage = search.perPage;
    settings_.maxRslt = search.maxRslt;
    clampStoredValues(settings_);
  } catch (const std::exception& e) {
    errors_.Reset();
    SendMessageW(control(L"lbResults"), LB_RESETCONTENT, 0, 0);
    ui::Application::showException(hwnd(), e);
    return;
  }
  errors_.Reset();
  SendMessageW(control(L"lbResults"), LB_RESETCONTENT, 0, 0);
}

void TMainForm::showPage(int page) {
  page_ = page;
  setVisible(L"PageMain", page == 0);
  setVisible(L"PageResults", page == 1);
}

void TMainForm::dpiChanged() {
  // The form's font was made again at the new scale.
  painter_ = std::make_unique<ResultsPainter>(font(), dpi());
  RemeasureResults();
}

void TMainForm::FormResize() {
  // Measured after the rescaling, so that the heights fit the list's new width.
  resizer_.ResizeAll(hwnd());
  SendMessageW(control(L"StatusBar1"), WM_SIZE, 0, 0);
  RemeasureResults();
}

int TMainForm::itemHeight(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= errors_.Results.size()) return 0;
  HWND list = control(L"lbResults");
  RECT client;
  GetClientRect(list, &client);
  HDC dc = GetDC(list);
  int height = painter_->measure(dc, errors_.Results[static_cast<std::size_t>(index)], painter_->textLeft(),
                                   client.right - scaled(2), lines_);
  ReleaseDC(list, dc);
  return height;
}

void TMainForm::RemeasureResults() {
  HWND list = control(L"lbResults");
  int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = count - 1; i >= 0; --i) SendMessageW(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(i), itemHeight(i));
  InvalidateRect(list, nullptr, TRUE);
}

void TMainForm::measureItem(const std::wstring& name, MEASUREITEMSTRUCT& item) {
  if (name != L"lbResults") return;
  int height = itemHeight(static_cast<int>(item.itemID));
  item.itemHeight = static_cast<UINT>(height > 0 ? height : scaled(kDefaultItemHeight));
}

void TMainForm::drawItem(const std::wstring& name, DRAWITEMSTRUCT& item) {
  if (name != L"lbResults" || item.itemID == static_cast<UINT>(-1)) return;
  const TResult* result =
      item.itemID < errors_.Results.size() ? &errors_.Results[item.itemID] : nullptr;
  painter_->draw(item.hDC, item.rcItem, static_cast<int>(item.itemID), result, item.itemState & ODS_SELECTED, lines_);
}

void TMainForm::acSearchExecute() {
  if (searching()) return;
  {
    ui::HourglassCursor hourglass;
    errors_.ErrorCount = 0;
    errors_.FixedCount = 0;
    setText(L"Label2", L"");
    // The tab control ignores an index that names no tab, so the window keeps that state itself.
    startSearch(settings_.activePage != 0);
    setEasyControlsEnabled(false);
    searchStarted_ = true;
  }
}

void TMainForm::startSearch(bool criteria) {
  thread_.reset();
  criteriaSearch_ = criteria;
  SendMessageW(control(L"lbResults"), LB_RESETCONTENT, 0, 0);
  errors_.Reset();
  setText(L"lblSearch", L"Searching...");
  FormResize();
  showPage(0);
  lines_ = {!criteria, !criteria};
  auto progress = [this](int keysVisited, int) { SearchProgress(keysVisited); };
  auto found = [this](const TSearchHit& hit) { errors_.SearchFound(hit); };
  if (criteria) {
    thread_ = std::make_unique<TSearchThread>(text(L"ebNow"), progress, found, 0, false, std::vector<std::wstring>{},
                                              std::vector<std::wstring>{}, std::vector<std::wstring>{}, false, false,
                                              false, kHiveClassesRoot | kHiveCurrentUser | kHiveLocalMachine |
                                                         kHiveUsers | kHiveCurrentConfig);
  } else {
    thread_ = std::make_unique<TSearchThread>(text(L"ebNow"), progress, found, 0, false);
  }
  thread_->OnTerminate = [this] { SearchDone(); };
  running_ = true;
  setActionsEnabled(false);
  thread_->Start();
}

void TMainForm::SearchProgress(int keysVisited) {
  std::wstring line = format(L"Windows errors: %d, Keys verified: %d", errors_.ErrorCount, keysVisited);
  setText(L"Label1", line);
  setText(L"StatusBar1", line);
}

void TMainForm::addResult() {
  HWND list = control(L"lbResults");
  LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  if (index < 0) return;
  SendMessageW(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), itemHeight(static_cast<int>(index)));
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  InvalidateRect(list, nullptr, FALSE);
}

void TMainForm::SearchDone() {
  running_ = false;
  std::wstring text = thread_ && thread_->Status() == TSearchThread::Finished
                          ? format(L"Found %d items", errors_.ErrorCount)
                          : format(L"Found %d items before being stopped", static_cast<int>(errors_.Results.size()));
  setText(L"lblSearch", text);
  setText(L"StatusBar1", text);
  setEasyControlsEnabled(true);
  setActionsEnabled(true);
  setVisible(L"Button1", true);
  setVisible(L"Button2", true);
  setVisible(L"Button3", errors_.ErrorCount > 0);
}

void TMainForm::waitForSearch() {
  if (thread_) thread_->WaitFor();
  MSG msg;
  while (running_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void TMainForm::Button3Click() {
  // A close asked for during the repair waits for its end: the registry and its backup stay in step.
  ui::Action action(*this, kActions);
  HWND bar = control(L"pb1");
  setVisible(L"pb1", true);
  setVisible(L"Edit1", true);
  RepairProgress progress;
  progress.item = [this, bar](const std::wstring& line, int position, int maximum) {
    setText(L"Label3", line);
    SendMessageW(bar, PBM_SETRANGE32, 0, maximum);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    UpdateWindow(hwnd());
    ui::Application::processMessages();
  };
  progress.searching = [this](const std::wstring& line) {
    setText(L"Edit1", line);
    UpdateWindow(hwnd());
    ui::Application::processMessages();
  };
  struct ProgressHider {
    TMainForm& form;
    ~ProgressHider() {
      if (!form.exists()) return;
      form.setVisible(L"pb1", false);
      form.setVisible(L"Edit1", false);
      form.setText(L"Label3", L"");
    }
  };
  RepairResult result;
  {
    ProgressHider hider{*this};
    result = RepairErrors(errors_, checked(L"CheckBox1"), BackupFilePath(), progress);
  }
  setText(L"Label1", result.cleanedText);
  if (result.fixed > 0) setText(L"Label2", result.fixedText);
  setText(L"Label3", result.leftText);
  setVisible(L"Button3", false);
}

void TMainForm::Button4Click() { RestoreBackup(hwnd(), BackupFilePath()); }

void TMainForm::BitBtn1Click() {
  win::enterProgramFolder();
  shell::openHelpFile(hwnd());
}

bool TMainForm::FormKeyDown(WORD key) {
  win::enterProgramFolder();
  if (key != VK_F1) return false;
  shell::openHelpFile(hwnd());
  return true;
}

void TMainForm::applicationHint(const std::wstring& text) { setText(L"StatusBar1", text); }

void TMainForm::setActionsEnabled(bool on) {
  for (const wchar_t* name : kActions) setEnabled(name, on);
}

void TMainForm::setEasyControlsEnabled(bool on) {
  for (const wchar_t* name : {L"Label1", L"Label2", L"Label3", L"pb1", L"Edit1"}) setEnabled(name, on);
}

void TMainForm::FormClose() {
  if (!thread_) return;
  // The window waits for its worker before it goes away.
  thread_->Terminate();
  thread_->WaitFor();
}

void TMainForm::FormDestroy() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd(), &placement);
  CleanerSettings stored = settings_;
  stored.activePage = static_cast<int>(SendMessageW(control(L"pcMain"), TCM_GETCURSEL, 0, 0));
  writeCleanerSettings(SettingsFilePath(), stored, placement);
}

LRESULT TMainForm::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (IsWindowVisible(hwnd())) FormResize();
      break;
    case WM_SHOWWINDOW:
      if (wp) FormResize();
      break;
    case WM_DESTROY:
      FormDestroy();
      break;
    case kReadSavedSearch:
      readSearchSettingsFile(savedSearchFile_);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->code == TCN_SELCHANGE && header->hwndFrom == control(L"pcMain")) {
        settings_.activePage = static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0));
      }
      break;
    }
    default:
      break;
  }
  return Form::handleMessage(msg, wp, lp);
}

}  // namespace kestova::registry
