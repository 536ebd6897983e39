#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/Tfsweep.h"
#include "core/text_codec.h"
#include "harness/driver.h"
#include "harness/hub_fixture.h"
#include "harness/mapped_drive.h"
#include "sysinfo/Tfinfo.h"
#include "ui/application.h"
#include "win/text_file.h"
#include "win/program_start.h"
#include "win/window_print.h"

namespace kestova::test {
namespace {

using sysinfo::Tfinfo;

const wchar_t* const kPanelLabels[] = {L"Label14", L"Label11", L"Label12", L"Label1",  L"Label2",
                                       L"Label5",  L"Label6",  L"Label3",  L"Label4",  L"Label25",
                                       L"Label7",  L"Label8",  L"Label9",  L"Label10", L"Label29"};

// What the window asked the system to start.
struct Call {
  std::wstring how;  // "run" or "open"
  std::wstring file;
  std::wstring parameters;
  int show;
  bool operator==(const Call&) const = default;
};

class RecordingStarter : public sysinfo::ToolStarter {
 public:
  RecordingStarter(std::vector<Call>& calls, std::vector<bool> results) : calls_(calls), results_(std::move(results)) {}
  bool run(const std::wstring& commandLine, int show) override {
    calls_.push_back({L"run", commandLine, L"", show});
    return next();
  }
  bool open(HWND, const std::wstring& file, const std::wstring& parameters, int show) override {
    calls_.push_back({L"open", file, parameters, show});
    return next();
  }
  bool elevate(HWND, const std::wstring& file, const std::wstring& parameters, int show) override {
    calls_.push_back({L"elevate", file, parameters, show});
    return next();
  }

 private:
  bool next() {
    if (results_.empty()) return true;
    bool result = results_.front();
    results_.erase(results_.begin());
    return result;
  }
  std::vector<Call>& calls_;
  std::vector<bool> results_;
};

UINT currentErrorMode() {
  UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

class SystemInfo : public HubFixture {
 protected:
  ~SystemInfo() override { form.reset(); }
  // A mapped drive cannot go away while it holds the current folder.
  static void leaveDrive() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);
  }
  // Opens the window with the current folder on `drive`, as the hub leaves it.
  Tfinfo& open(wchar_t drive, const DriveTable& table = {}) {
    SetCurrentDirectoryW((std::wstring(1, drive) + L":\\").c_str());
    form = std::make_unique<Tfinfo>(table);
    form->create();
    leaveDrive();
    form->show();
    return *form;
  }
  void choose(wchar_t drive) {
    std::wstring item = std::wstring(1, drive) + L":";
    HWND combo = form->control(L"DriveComboBox1");
    ASSERT_NE(SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str())),
              CB_ERR);
    form->fire(L"DriveComboBox1", ui::Event::Change);
  }
  std::wstring shown(const wchar_t* label) const { return form->text(label); }
  std::vector<Call> record(const wchar_t* control, std::vector<bool> results = {}) {
    std::vector<Call> calls;
    form->setToolStarter(std::make_unique<RecordingStarter>(calls, std::move(results)));
    form->fire(control);
    return calls;
  }

  std::unique_ptr<Tfinfo> form;
};

TEST_F(SystemInfo, ShowsTheCurrentDriveWithLabelSerialAndTrueSize) {
  MappedDrive drive;
  drive.folder().writeFile(L".windows-label", "KESTOVA");
  drive.folder().writeFile(L".windows-serial", "a00bc");
  drive.remount();
  Tfinfo& info = open(drive.letter());

  HWND combo = info.control(L"DriveComboBox1");
  wchar_t item[8] = {};
  SendMessageW(combo, CB_GETLBTEXT, SendMessageW(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(std::wstring(item), std::wstring(1, drive.letter()) + L":");
  EXPECT_EQ(shown(L"Label14"), L"KESTOVA");
  EXPECT_EQ(shown(L"Label25"), L"000A-00BC");
  EXPECT_EQ(shown(L"Label11"), L"Fixed");

  // The mapped drive is the host's disk, larger than 4 GB: its size is not cut to 32 bits.
  ULARGE_INTEGER available, total, totalFree;
  ASSERT_TRUE(GetDiskFreeSpaceExW(drive.root().c_str(), &available, &total, &totalFree));
  ASSERT_GT(total.QuadPart, 4ull << 30);
  std::wstring size = shown(L"Label5");
  ASSERT_EQ(size.rfind(L"Total Mbytes:            ", 0), 0u) << toCp1252(size);
  double megabytes = std::stod(size.substr(25));
  EXPECT_NEAR(megabytes, static_cast<double>(total.QuadPart) / 1048576.0, 1.0);

  DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
  ASSERT_TRUE(GetDiskFreeSpaceW(drive.root().c_str(), &sectors, &bytes, &freeClusters, &totalClusters));
  EXPECT_EQ(shown(L"Label4"), L"Total Clusters:          " + std::to_wstring(totalClusters) + L"   ");

  // Flags as the volume reports them, one per label.
  DWORD flags = 0;
  ASSERT_TRUE(GetVolumeInformationW(drive.root().c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
  EXPECT_EQ(shown(L"Label7"), (flags & 0x2) ? L"FS_CASE_IS_PRESERVED" : L" ");
  EXPECT_EQ(shown(L"Label10"), (flags & 0x8) ? L"FS_PERSISTENT_ACLS" : L" ");

  // The drive's large shell icon.
  ASSERT_NE(info.driveIcon(), nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(info.control(L"DriveImageBitmap"), STM_GETICON, 0, 0)),
            info.driveIcon());
  ICONINFO icon = {};
  ASSERT_TRUE(GetIconInfo(info.driveIcon(), &icon));
  BITMAP mask = {};
  GetObjectW(icon.hbmMask, sizeof mask, &mask);
  if (icon.hbmColor) DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
}

TEST_F(SystemInfo, ListedDriveTakesItsSizesFromTheTableAndNoLabelShowsNone) {
  MappedDrive drive;
  Lines data = {L"header", L"C:\\100|50w0z0f", std::wstring(1, drive.letter()) + L":\\3000|900w0z123f"};
  std::vector<wchar_t> list = {L'A', L'C', drive.letter()};
  Tfinfo& info = open(drive.letter(), DriveTable::read(data, list));
  EXPECT_EQ(shown(L"Label5"), L"Total Mbytes:            3000.00");
  EXPECT_EQ(shown(L"Label6"), L"Free Mbytes:             900.00");
  EXPECT_EQ(shown(L"Label3"), L"Free Clusters:           123");
  EXPECT_EQ(shown(L"Label4"), L" ");
  EXPECT_EQ(shown(L"Label14"), L"[None]");
  EXPECT_EQ(shown(L"Label1").rfind(L"Sectors/Cluster:        ", 0), 0u);
  EXPECT_NE(shown(L"Label1"), L"Sectors/Cluster:        0");
  (void)info;
}

TEST_F(SystemInfo, DriveTypesOfMappedDrives) {
  const std::pair<UINT, const wchar_t*> types[] = {
      {DRIVE_REMOVABLE, L"Removable"}, {DRIVE_REMOTE, L"Remote"}, {DRIVE_CDROM, L"CD-ROM"}, {DRIVE_RAMDISK, L"RAMDISK"}};
  for (const auto& [type, name] : types) {
    MappedDrive drive(type);
    drive.folder().writeFile(L"file.txt", "x");
    form.reset();
    open(drive.letter());
    EXPECT_EQ(shown(L"Label11"), name) << type;
    form.reset();
  }
}

TEST_F(SystemInfo, EmptyDDiskAndMissingDisketteBlankThePanelAndRestoreTheErrorMode) {
  MappedDrive d(DRIVE_FIXED, L'D');
  ASSERT_EQ(d.letter(), L'D');
  MappedDrive a(DRIVE_REMOVABLE, L'A');
  ASSERT_EQ(a.letter(), L'A');
  ASSERT_TRUE(RemoveDirectoryW(a.folder().path().c_str()));  // the drive is there, its medium is not
  open(L'C');
  const UINT mode = SEM_NOGPFAULTERRORBOX;
  SetErrorMode(mode);

  choose(L'D');
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"No disk on Drive");
  for (const wchar_t* label : kPanelLabels) EXPECT_EQ(shown(label), L" ") << toCp1252(label);
  EXPECT_EQ(form->driveIcon(), nullptr);
  EXPECT_EQ(currentErrorMode(), mode);

  choose(L'A');
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[1].text, L"No Disk on Drive");
  EXPECT_EQ(currentErrorMode(), mode);

  d.folder().writeFile(L"any.txt", "x");
  choose(L'D');
  EXPECT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(shown(L"Label11"), L"Fixed");
  EXPECT_NE(form->driveIcon(), nullptr);
  EXPECT_EQ(currentErrorMode(), mode);
  SetErrorMode(0);
}

// The figures against each other: the paging file is at most the commit limit beyond physical
// memory, and what of it is in use at most its size.
TEST_F(SystemInfo, TheSwapFiguresAreThePagingFileNotTheCommitLimit) {
  open(L'C');
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  const std::uint64_t physical = std::stoull(shown(L"Label38"));
  const std::uint64_t paging = std::stoull(shown(L"Label32"));
  const std::uint64_t inUse = std::stoull(shown(L"Label34"));
  const std::uint64_t tolerance = 64 * 1024;  // KB: the figures move between two calls
  EXPECT_GT(physical, 0u);
  EXPECT_LE(paging, (status.ullTotalPageFile - std::min(status.ullTotalPageFile, status.ullTotalPhys)) / 1024 + tolerance);
  EXPECT_LT(paging + physical, status.ullTotalPageFile / 1024 + tolerance) << "the commit limit is not shown as the file";
  EXPECT_LE(inUse, paging);
  std::wstring usage = shown(L"Label36");
  ASSERT_GE(usage.size(), 3u);
  EXPECT_EQ(usage.substr(usage.size() - 2), L" %");
  EXPECT_LE(std::stoi(usage), 100);
}

// Every tool by its full path in the system folder, never by a bare name that the program's own
// folder could answer.
TEST_F(SystemInfo, ButtonsAndLinksStartTheSystemsTools) {
  open(L'C');
  const int max = SW_SHOWMAXIMIZED;
  wchar_t folder[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(folder, MAX_PATH), 0u);
  const std::wstring system = std::wstring(folder) + L"\\";
  const std::wstring rundll32 = system + L"rundll32.exe";
  // Wine has neither console tool: empty stand-ins in the prefix's system folder; nothing runs.
  struct StandIn {
    std::wstring path;
    explicit StandIn(std::wstring p) : path(std::move(p)) { win::writeBytes(path, ""); }
    ~StandIn() { DeleteFileW(path.c_str()); }
  } chkdsk(system + L"chkdsk.exe"), defrag(system + L"defrag.exe");
  // On the chosen drive, in a console that stays open, elevated (Wine reports Windows 7).
  auto console = [&](const wchar_t* tool) {
    return Call{L"elevate", system + L"cmd.exe", L"/k \"\"" + system + tool + L"\" C:\"", max};
  };
  EXPECT_EQ(record(L"BitBtnWithColor3", {false, true}),
            (std::vector<Call>{{L"run", L"\"" + system + L"scandisk.exe\"", L"", max}, console(L"chkdsk.exe")}));
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(record(L"BitBtnWithColor3", {false, false}).size(), 2u);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"Scandisk not exists in Win2k and XP");

  EXPECT_EQ(record(L"BitBtnWithColor4", {false, false, false}),
            (std::vector<Call>{console(L"defrag.exe"),
                               {L"open", system + L"dfrg.msc", L"", SW_SHOWNORMAL},
                               {L"open", system + L"dfrgui.exe", L"", SW_SHOWNORMAL}}));

  const std::wstring repair =
      L"setupwbv.dll,IE5Maintenance \"C:\\Program Files\\Internet Explorer\\Setup\\SETUP.EXE\" /g "
      L"\"C:\\WINDOWS\\IE Uninstall Log.Txt";
  EXPECT_EQ(record(L"BitBtnWithColor5", {false}),
            (std::vector<Call>{{L"run", L"\"" + rundll32 + L"\" " + repair, L"", max}, {L"open", rundll32, repair, max}}));
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[1].text,
            L"Mark Repair IE in the next window *** NOTE: Some IE versions dont allow repair, no setupwbv.dll file");
  EXPECT_EQ(record(L"BitBtnWithColor5", {true}).size(), 1u);

  EXPECT_EQ(record(L"Label18"), (std::vector<Call>{{L"elevate", system + L"sfc.exe", L" /scannow", SW_SHOWNORMAL}}));
  EXPECT_EQ(record(L"Label19"),
            (std::vector<Call>{{L"open", rundll32, L"shell32.dll,Control_RunDLL appwiz.cpl,,0", SW_HIDE}}));
}

// Wine ships neither scandisk.exe nor chkdsk.exe: the real start fails for both.
TEST_F(SystemInfo, DiskCheckWithoutEitherProgramSaysSo) {
  open(L'C');
  form->fire(L"BitBtnWithColor3");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"Scandisk not exists in Win2k and XP");
}

TEST(ProgramStart, StartsAProgramOnThePathAndReportsOneThatIsMissing) {
  TempFolder folder;
  std::wstring mark = folder.path() + L"started.txt";
  ASSERT_TRUE(win::startProgram(L"cmd.exe /c echo x> \"" + mark + L"\"", SW_HIDE));
  EXPECT_TRUE(waitUntil([&] { return fileExists(mark); }, 20000));
  EXPECT_FALSE(win::startProgram(L"kestova-no-such-tool.exe", SW_SHOWMAXIMIZED));
}

TEST_F(SystemInfo, PrintingWithoutADefaultPrinterSaysSo) {
  wchar_t device[256] = {};
  GetProfileStringW(L"windows", L"device", L"", device, 256);  // where the default printer is kept
  if (device[0]) GTEST_SKIP() << "this machine has a default printer";
  open(L'C');
  form->fire(L"BitBtnWithColor2");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, L"There is no default printer.");
}

TEST_F(SystemInfo, WindowImageHoldsTheClientAreaWithItsControlsAtTheGivenSize) {
  Tfinfo& info = open(L'C');
  UpdateWindow(info.hwnd());
  RECT client, button;
  GetClientRect(info.hwnd(), &client);
  GetWindowRect(info.control(L"BitBtnWithColor1"), &button);
  MapWindowPoints(nullptr, info.hwnd(), reinterpret_cast<POINT*>(&button), 2);
  const int width = client.right * 2, height = client.bottom * 2;
  HDC screen = GetDC(nullptr);
  win::Bitmap page(CreateCompatibleBitmap(screen, width, height));
  win::MemoryDC target(screen);
  ReleaseDC(nullptr, screen);
  win::SelectObjectScope select(target.get(), page.get());
  ASSERT_TRUE(win::drawWindowImage(info.hwnd(), target.get(), RECT{0, 0, width, height}));
  // Doubled: a point of the close button's face left of its caption, the white form beside it,
  // and the form's last row at the bottom of the image.
  const int y = (button.top + button.bottom);
  EXPECT_EQ(GetPixel(target.get(), (button.left + 6) * 2, y), RGB(214, 226, 247));
  EXPECT_EQ(GetPixel(target.get(), (button.left - 4) * 2, y), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(target.get(), 4, height - 2), RGB(255, 255, 255));
}

TEST_F(SystemInfo, HubOpensItOnItsOwnDriveTable) {
  MappedDrive drive;
  ship(L"config.TXT");
  writeSetting(L"Data.TXT", "first line\r\n");
  app::Tfsweep& hub = startHub();
  const DriveSlot* slot = hub.driveTable().findComplete(drive.letter());
  ASSERT_NE(slot, nullptr);  // the hub measured the new fixed drive at start-up
  open(drive.letter(), hub.driveTable());
  EXPECT_EQ(shown(L"Label5"), L"Total Mbytes:            " + slot->capacityMB + L".00");
  EXPECT_EQ(shown(L"Label3"), L" ");  // the hub writes no cluster counts
}

TEST_F(SystemInfo, F1OpensTheHelpFile) {
  ship(L"kestova.chm");
  open(L'C');
  ASSERT_EQ(FindWindowW(L"HH Parent", L"Kestova Help"), nullptr);
  PostMessageW(form->control(L"DriveComboBox1"), WM_KEYDOWN, VK_F1, 0);
  HWND help = nullptr;
  for (DWORD start = GetTickCount(); !help && GetTickCount() - start < 20000; Sleep(50)) {
    ui::Application::processMessages();  // the form sees the key first, as in the program
    help = FindWindowW(L"HH Parent", L"Kestova Help");
  }
  ASSERT_NE(help, nullptr);
  DWORD processId = 0;
  GetWindowThreadProcessId(help, &processId);
  win::Handle viewer(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
  PostMessageW(help, WM_CLOSE, 0, 0);
  if (viewer && WaitForSingleObject(viewer.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(viewer.get(), 0);
}

}  // namespace
}  // namespace kestova::test
