#pragma once
// Whether a file is still the one the duplicate search listed: the same size and last-write time,
// under exactly the name it was listed by.
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/duplicate_plan.h"

namespace kestova::dupes {

// Read through a handle open on the file, against the listed size and last-write time.
bool stillAsListed(HANDLE file, std::uint64_t bytes, std::uint64_t lastWrite);
// Read at its listed path; false when nothing of exactly that name is there.
bool stillAsListed(const CollectedFile& listed);
// Something of exactly the name at the end of `path` is there. On a file system that tells case
// apart (Wine's host folders), the path alone also finds a file whose name differs only in case.
bool listedNameExists(const std::wstring& path);

}  // namespace kestova::dupes
