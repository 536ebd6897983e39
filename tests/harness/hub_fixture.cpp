#include "harness/hub_fixture.h"

#include "app/app_windows.h"
#include "harness/driver.h"
#include "ui/translation.h"
#include "win/program_folder.h"

namespace kestova::test {

HubFixture::HubFixture() {
  win::setProgramFolder(programFolder.path());
  ui::setCurrentLanguage(kEnglish);  // a language chosen by an earlier test does not carry over
}

HubFixture::~HubFixture() {
  app::destroyWindows();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  SetCurrentDirectoryW(temp);  // let the folder go
}

void HubFixture::ship(const wchar_t* name) const {
  std::wstring source = windowsPath(KESTOVA_DIST_DIR) + L"\\" + name;
  CopyFileW(source.c_str(), (programFolder.path() + name).c_str(), FALSE);
}

void HubFixture::writeSetting(const wchar_t* name, const std::string& bytes) const {
  programFolder.writeFile(name, bytes);
}

std::string HubFixture::setting(const wchar_t* name) const { return fileBytes(programFolder.path() + name); }

app::Tfsweep& HubFixture::startHub() {
  auto& windows = app::windows();
  windows.hub = std::make_unique<app::Tfsweep>();
  windows.hub->create();
  windows.hub->show();
  return *windows.hub;
}

void HubFixture::pump(DWORD milliseconds) {
  waitUntil([] { return false; }, milliseconds);
}

}  // namespace kestova::test
