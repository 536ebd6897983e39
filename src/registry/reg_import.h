#pragma once
// The program's own import of a REGEDIT4 file, for a system whose shell has no program for
// ".reg" files: every key is created and every value written with its type and bytes, as the
// system's registry editor imports them.
#include <string>

namespace kestova::registry {

// Throws win::Error for a file that cannot be read or understood, or a value that cannot be written.
void ImportRegFile(const std::wstring& path);

}  // namespace kestova::registry
