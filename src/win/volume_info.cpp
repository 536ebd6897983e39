#include "win/volume_info.h"

#include "core/long_path.h"
#include "win/handles.h"

namespace kestova::win {
namespace {

std::wstring root(wchar_t letter) { return std::wstring(1, letter) + L":\\"; }

}  // namespace

ErrorModeScope::ErrorModeScope() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {
  SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
}

ErrorModeScope::~ErrorModeScope() { SetErrorMode(previous_); }

VolumeFacts volumeFacts(wchar_t letter) {
  const std::wstring path = root(letter);
  VolumeFacts facts;
  facts.driveType = GetDriveTypeW(path.c_str());
  wchar_t name[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  DWORD serial = 0, maxComponent = 0, flags = 0;
  if (GetVolumeInformationW(path.c_str(), name, MAX_PATH + 1, &serial, &maxComponent, &flags, fileSystem,
                            MAX_PATH + 1)) {
    facts.volumeName = name;
    facts.fileSystem = fileSystem;
    facts.serialNumber = serial;
    facts.flags = flags;
  }
  DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
  if (GetDiskFreeSpaceW(path.c_str(), &sectors, &bytes, &freeClusters, &totalClusters)) {
    facts.sectorsPerCluster = sectors;
    facts.bytesPerSector = bytes;
    facts.freeClusters = freeClusters;
    facts.totalClusters = totalClusters;
  }
  return facts;
}

bool rootHasEntries(wchar_t letter) {
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileW((root(letter) + L"*.*").c_str(), &data));
  if (!find.valid()) return false;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") return true;
  } while (FindNextFileW(find.get(), &data));
  return false;
}

bool pathExists(const std::wstring& path) {
  return GetFileAttributesW(longPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

MemoryFacts memoryFacts() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {};
  return {status.ullTotalPhys, status.ullTotalPageFile, status.ullAvailPageFile, status.ullAvailPhys};
}

}  // namespace kestova::win
