#pragma once
// The program's ".INI": the registry cleaner's options and the configured outside addresses.
#include <string>

namespace kestova::shell {

// The program's folder (a test's own folder in tests) + the executable's name with ".INI"; fixed
// once `fixProgramIniPath` ran, read afresh before.
std::wstring programIniPath();
// Called once from the program's start, before any window exists.
void fixProgramIniPath();

}  // namespace kestova::shell
