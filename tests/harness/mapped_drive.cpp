#include "harness/mapped_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <stdexcept>
#include <vector>

#include "win/handles.h"

namespace kestova::test {
namespace {

// Wine's mount manager extension that defines a drive letter on a unix path.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};

bool defineDrive(wchar_t letter, UINT type, const std::string& mountPoint) {
  win::FileHandle manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!manager) return false;
  std::vector<char> buffer(sizeof(UnixDrive) + mountPoint.size() + 1, 0);
  auto* drive = reinterpret_cast<UnixDrive*>(buffer.data());
  drive->size = static_cast<ULONG>(buffer.size());
  drive->type = type;
  drive->letter = static_cast<WCHAR>(towlower(letter));
  if (!mountPoint.empty()) {
    drive->mountPointOffset = sizeof(UnixDrive);
    std::copy(mountPoint.begin(), mountPoint.end(), buffer.begin() + sizeof(UnixDrive));
  }
  DWORD returned = 0;
  return DeviceIoControl(manager.get(), kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                         0, &returned, nullptr) != FALSE;
}

}  // namespace

MappedDrive::MappedDrive(UINT type, wchar_t preferred) : folder_(std::in_place) {
  target_ = unixPath(folder_->path());
  map(type, preferred);
}

MappedDrive::MappedDrive(std::string target, UINT type, wchar_t preferred) : target_(std::move(target)) {
  map(type, preferred);
}

std::unique_ptr<MappedDrive> MappedDrive::forHostFolder(const std::string& unixPath) {
  return std::unique_ptr<MappedDrive>(new MappedDrive(unixPath, DRIVE_FIXED, 0));
}

std::unique_ptr<MappedDrive> MappedDrive::secondLetterFor(const MappedDrive& drive) {
  return std::unique_ptr<MappedDrive>(new MappedDrive(drive.target_, drive.type_, 0));
}

void MappedDrive::map(UINT type, wchar_t preferred) {
  DWORD used = GetLogicalDrives();
  // Letters far from C: and from what a Wine prefix maps by default; a lock per letter keeps two
  // test programs from taking the same one.
  std::wstring letters = L"MNOPQTUVXY";
  if (preferred) letters.insert(letters.begin(), preferred);
  for (wchar_t letter : letters) {
    if (used & (1u << (letter - L'A'))) continue;
    win::Handle lock(CreateMutexW(nullptr, TRUE, (std::wstring(L"kestova-test-drive-") + letter).c_str()));
    if (!lock || GetLastError() == ERROR_ALREADY_EXISTS) continue;
    if (!defineDrive(letter, type, target_)) continue;
    if (GetDriveTypeW((std::wstring(1, letter) + L":\\").c_str()) != type) {
      unmapDrive(letter);
      continue;
    }
    letter_ = letter;
    type_ = type;
    lock_ = std::move(lock);
    return;
  }
  throw std::runtime_error("no spare drive letter could be mapped");
}

void MappedDrive::remount() {
  unmapDrive(letter_);
  if (!defineDrive(letter_, type_, target_)) throw std::runtime_error("the drive cannot be mapped again");
}

MappedDrive::~MappedDrive() {
  if (letter_) unmapDrive(letter_);
}

bool unmapDrive(wchar_t letter) {
  defineDrive(letter, DRIVE_NO_ROOT_DIR, {});
  return (GetLogicalDrives() & (1u << (towupper(letter) - L'A'))) == 0;
}

}  // namespace kestova::test
