#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "core/text_lines.h"
#include "harness/driver.h"
#include "harness/temp_folder.h"
#include "res/version.h"
#include "win/shell_link.h"

namespace kestova::test {
namespace {

constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestova";

std::wstring folderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

std::wstring releaseFile(const char* name) { return windowsPath(std::string(KESTOVA_RELEASE_DIR) + "/" + name); }

// Runs a program to its end; its exit code, or -1 when it does not start or end in time.
long run(const std::wstring& program, const std::wstring& arguments) {
  std::wstring command = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(info.hProcess, 300000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return static_cast<long>(code);
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring registryText(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
  wchar_t data[MAX_PATH * 2] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::wstring(data) : L"<missing>";
}

bool keyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// "" also while the program has the file open to write it.
std::wstring languageLine(const std::wstring& folder) {
  std::string bytes;
  try {
    bytes = fileBytes(folder + L"idiom.TXT");
  } catch (const std::exception&) {
    return L"";
  }
  Lines lines = splitLines(std::wstring(bytes.begin(), bytes.end()));
  return lines.size() > 1 ? lines[1] : L"";
}

// The shipped files: the program, the help and every file of res/dist.
std::vector<std::wstring> shippedFiles() {
  std::vector<std::wstring> names = {L"Kestova.exe", L"kestova.chm"};
  WIN32_FIND_DATAW found;
  std::wstring pattern = windowsPath(std::string(KESTOVA_SOURCE_DIR) + "/res/dist") + L"\\*";
  HANDLE find = FindFirstFileW(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

std::wstring copied(const std::wstring& file, const TempFolder& folder) {
  std::wstring copy = folder.path() + file.substr(file.find_last_of(L'\\') + 1);
  return CopyFileW(file.c_str(), copy.c_str(), FALSE) ? copy : file;
}

class Installer : public ::testing::Test {
 protected:
  Installer() {
    // Whatever an earlier run left in this prefix goes first.
    removeTree(installFolder);
    removeTree(menuFolder);
    SHDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
  }

  // The installer as a user has it: downloaded onto a drive of the machine.
  TempFolder download;
  const std::wstring setup = copied(releaseFile("Kestova-" KESTOVA_VERSION_TEXT KESTOVA_RELEASE_SUFFIX "-setup.exe"), download);
  const std::wstring installFolder = folderPath(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Kestova\\";
  const std::wstring menuFolder = folderPath(CSIDL_PROGRAMS) + L"\\Kestova";
};

// One install, one reinstall and one uninstall, each silent, as a user without administrator
// rights would run them.
TEST_F(Installer, InstallsPerUserKeepsSettingsAndUninstallsAllButTheBackup) {
  ASSERT_TRUE(fileExists(setup)) << "make the release first";
  ASSERT_EQ(run(setup, L"/S"), 0);

  for (const auto& name : shippedFiles()) EXPECT_TRUE(fileExists(installFolder + name)) << narrow(name);
  EXPECT_TRUE(fileExists(installFolder + L"uninstall.exe"));
  std::wstring shortcut = menuFolder + L"\\Kestova.lnk";
  ASSERT_TRUE(fileExists(shortcut));
  EXPECT_EQ(win::ShortcutReader().target(shortcut), installFolder + L"Kestova.exe");
  EXPECT_EQ(registryText(L"DisplayName"), L"Kestova");
  EXPECT_EQ(registryText(L"DisplayVersion"), L"" KESTOVA_VERSION_TEXT);
  EXPECT_EQ(registryText(L"UninstallString"), L"\"" + installFolder + L"uninstall.exe\"");
  EXPECT_EQ(registryText(L"InstallLocation") + L"\\", installFolder);

  // The installed program starts, shows its hub and keeps the language chosen there.
  {
    std::wstring command = L"\"" + installFolder + L"Kestova.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, installFolder.c_str(),
                               &startup, &info));
    win::Handle process(info.hProcess), thread(info.hThread);
    // A program left running keeps the test's output open, and the whole run would wait on it.
    struct EndsRunning {
      HANDLE process;
      ~EndsRunning() {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      }
    } endsRunning{process.get()};
    HWND hub = Driver::waitWindow(L"Kestova :  Free disk space", info.dwProcessId, 60000);
    ASSERT_NE(hub, nullptr) << "the installed program shows no hub";
    Driver::chooseMenu(hub, L"Deutsch1");
    EXPECT_TRUE(waitUntil([&] { return languageLine(installFolder) == L"7"; }, 20000));
    PostMessageW(hub, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
  }
  std::string config = fileBytes(installFolder + L"config.TXT");

  ASSERT_EQ(run(setup, L"/S"), 0);
  EXPECT_EQ(languageLine(installFolder), L"7");
  EXPECT_EQ(fileBytes(installFolder + L"config.TXT"), config);

  // What the program wrote goes with it; the registry backup stays.
  HANDLE backup = CreateFileW((installFolder + L"deletedkeys.reg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(backup, INVALID_HANDLE_VALUE);
  CloseHandle(backup);
  HANDLE log = CreateFileW((installFolder + L"rrr.TXT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(log);
  std::wstring folder = installFolder.substr(0, installFolder.size() - 1);
  ASSERT_EQ(run(installFolder + L"uninstall.exe", L"/S _?=" + folder), 0);
  for (const auto& name : shippedFiles()) EXPECT_FALSE(fileExists(installFolder + name)) << narrow(name);
  EXPECT_FALSE(fileExists(installFolder + L"rrr.TXT"));
  EXPECT_TRUE(fileExists(installFolder + L"deletedkeys.reg"));
  EXPECT_FALSE(fileExists(shortcut));
  EXPECT_FALSE(fileExists(menuFolder));
  EXPECT_FALSE(keyExists());
}

}  // namespace
}  // namespace kestova::test
