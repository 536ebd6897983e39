#pragma once
// The registry cleaner's module start-up: the key equivalents and the path of its settings file.
#include <string>

namespace kestova::registry {

// Called once from the program's start, before any window exists.
void InitializeRegistryCleaner();

// The executable's path with its extension replaced by ".INI", fixed at start-up.
std::wstring SettingsFilePath();

}  // namespace kestova::registry
