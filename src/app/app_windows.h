#pragma once
// The program's windows, each held in one global reference: the hub and the windows made at
// start-up live for the run; the other tools are made when asked for and released when closed.
#include <memory>

#include "shell/hub_link.h"

namespace kestova::registry { class TMainForm; }
namespace kestova::shredder { class TFwipe; }
namespace kestova::dupes { class Tfdups; class Tfdupg; }
namespace kestova::traces { class Tfsoftclean; }
namespace kestova::spyware { class Tfspy; }
namespace kestova::stats { class Tfstat; }
namespace kestova::sysinfo { class Tfinfo; }

namespace kestova::app {

class Tfsweep;
class Tffolders;
class Tftips;
class AboutBox;

struct Windows {
  Windows();
  ~Windows();
  // The tools' way to the hub, which joins it while it lives.
  shell::HubLink hubLink;
  std::unique_ptr<Tfsweep> hub;
  std::unique_ptr<dupes::Tfdupg> dupg;
  std::unique_ptr<dupes::Tfdups> dups;
  std::unique_ptr<shredder::TFwipe> wipe;

  std::unique_ptr<registry::TMainForm> registryCleaner;
  std::unique_ptr<spyware::Tfspy> spyware;
  std::unique_ptr<stats::Tfstat> statistics;
  std::unique_ptr<sysinfo::Tfinfo> systemInfo;
  std::unique_ptr<traces::Tfsoftclean> traces;
  std::unique_ptr<Tffolders> folders;
  std::unique_ptr<Tftips> tips;
  std::unique_ptr<AboutBox> about;
};

Windows& windows();
// The hub, then the duplicate-search progress window, the duplicate finder and the shredder.
void createStartupWindows();
void destroyWindows();

}  // namespace kestova::app
