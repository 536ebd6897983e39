#include "registry/rdfuncs.h"

#include "registry/regequiv.h"
#include "shell/program_ini.h"

namespace kestova::registry {

void InitializeRegistryCleaner() {
  InitializeKeyEquivalents();
  shell::fixProgramIniPath();
}

std::wstring SettingsFilePath() { return shell::programIniPath(); }

}  // namespace kestova::registry
