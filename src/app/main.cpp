// Kestova: start-up. One instance; the hub and the windows that live for the run; the loop.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "app/single_instance.h"
#include "registry/rdfuncs.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace kestova;
  app::SingleInstance instance;
  if (!instance.first()) {
    app::SingleInstance::bringRunningForward();
    return 0;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);
  try {
    registry::InitializeRegistryCleaner();
    app::createStartupWindows();
    instance.listen(app::windows().hub->hwnd());
    app::windows().hub->show();
    ui::Application::run(*app::windows().hub);
  } catch (const std::exception& e) {
    ui::Application::showException(nullptr, e);
  }
  app::destroyWindows();
  OleUninitialize();
  return 0;
}
