#include "app/app_windows.h"

#include "app/AboutBox.h"
#include "app/Tffolders.h"
#include "app/Tfsweep.h"
#include "app/Tftips.h"
#include "dupes/Tfdupg.h"
#include "dupes/Tfdups.h"
#include "registry/TMainForm.h"
#include "shredder/TFwipe.h"
#include "spyware/Tfspy.h"
#include "stats/Tfstat.h"
#include "sysinfo/Tfinfo.h"
#include "traces/Tfsoftclean.h"

namespace kestova::app {

Windows::Windows() = default;
Windows::~Windows() = default;

Windows& windows() {
  static Windows all;
  return all;
}

void createStartupWindows() {
  Windows& w = windows();
  w.hub = std::make_unique<Tfsweep>();
  w.hub->create();
  w.dupg = std::make_unique<dupes::Tfdupg>();
  w.dupg->create();
  w.dups = std::make_unique<dupes::Tfdups>(w.hubLink, w.dupg);
  w.dups->create();
  w.wipe = std::make_unique<shredder::TFwipe>();
  w.wipe->create();
}

void destroyWindows() {
  Windows& w = windows();
  w.about.reset();
  w.tips.reset();
  w.folders.reset();
  w.traces.reset();
  w.systemInfo.reset();
  w.statistics.reset();
  w.spyware.reset();
  w.registryCleaner.reset();
  w.wipe.reset();
  w.dups.reset();
  w.dupg.reset();
  w.hub.reset();
}

}  // namespace kestova::app
