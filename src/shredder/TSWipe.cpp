#include "shredder/TSWipe.h"

#include <algorithm>
#include <vector>

#include "core/wipe_passes.h"
#include "shredder/entropy.h"
#include "win/links.h"
#include "ui/application.h"

namespace kestova::shredder {

using win::isLink;
using win::removeLink;
namespace {

constexpr std::size_t kRenameLength = 200;

std::wstring stepText(EWipe::Step step) {
  switch (step) {
    case EWipe::Step::Open: return L"Error opening ";
    case EWipe::Step::Write: return L"Error writing ";
    case EWipe::Step::Truncate: return L"Error truncating ";
    case EWipe::Step::Rename: return L"Error renaming ";
    case EWipe::Step::Delete: return L"Error deleting ";
  }
  return L"Error wiping ";
}

// Zeros a block of memory when it goes away, however the wipe ends.
template <typename T>
class Zeroed {
 public:
  explicit Zeroed(T& value) : value_(value) {}
  Zeroed(const Zeroed&) = delete;
  Zeroed& operator=(const Zeroed&) = delete;
  ~Zeroed() { SecureZeroMemory(std::data(value_), std::size(value_) * sizeof(*std::data(value_))); }

 private:
  T& value_;
};

std::uint64_t pageSize() {
  SYSTEM_INFO info = {};
  GetSystemInfo(&info);
  return info.dwPageSize ? info.dwPageSize : 4096;
}

// The folder part with its backslash, then as many "0" as fit the path limit, 200 at most.
std::wstring zeroName(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  std::size_t room = folder.size() < MAX_PATH - 1 ? MAX_PATH - 1 - folder.size() : 0;
  return folder + std::wstring(std::min(kRenameLength, room), L'0');
}

}  // namespace

EWipe::EWipe(Step step, const std::wstring& path) : win::Error(stepText(step) + path), step_(step) {}

TSWipe::TSWipe(Status status) : TSWipe(std::move(status), entropySnapshot()) {}

TSWipe::TSWipe(Status status, std::span<const std::uint8_t> snapshot)
    : generator_(snapshot), status_(std::move(status)) {}

void TSWipe::SetPasses(int algorithm) { passCount_ = passCount(algorithm); }

bool TSWipe::WipeFile(const std::wstring& path) {
  if (isLink(path)) {
    // The link goes, never what it points at; a link that cannot go alone stays, as a failure.
    if (!removeLink(path)) throw EWipe(EWipe::Step::Delete, path);
    return true;
  }
  return wipeRegularFile(path);
}

bool TSWipe::wipeRegularFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  constexpr DWORD kCleared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  bool changed = attributes != INVALID_FILE_ATTRIBUTES && (attributes & kCleared);
  if (changed) {
    DWORD plain = attributes & ~kCleared;
    SetFileAttributesW(path.c_str(), plain ? plain : FILE_ATTRIBUTE_NORMAL);
  }
  file_ = win::FileHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    if (changed) SetFileAttributesW(path.c_str(), attributes);  // a file we cannot wipe stays as it was
    throw EWipe(EWipe::Step::Open, path);
  }
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file_.get(), &size)) {
    file_.close();
    throw EWipe(EWipe::Step::Open, path);
  }
  std::uint64_t page = pageSize();
  workingSize_ = (static_cast<std::uint64_t>(size.QuadPart) + page - 1) / page * page;

  try {
    runPasses(path);
  } catch (...) {
    file_.close();  // not truncated: the passes did not complete
    throw;
  }

  LARGE_INTEGER zero = {};
  bool truncated = SetFilePointerEx(file_.get(), zero, nullptr, FILE_BEGIN) && SetEndOfFile(file_.get());
  file_.close();
  if (!truncated) throw EWipe(EWipe::Step::Truncate, path);

  std::wstring renamed = zeroName(path);
  if (!MoveFileW(path.c_str(), renamed.c_str())) throw EWipe(EWipe::Step::Rename, path);
  if (!DeleteFileW(renamed.c_str())) throw EWipe(EWipe::Step::Delete, path);
  if (status_) status_(L"Status : Idle");
  return true;
}

void TSWipe::runPasses(const std::wstring& path) {
  PassList passes = shuffledPasses(generator_);
  Zeroed<PassList> zeroPasses(passes);
  std::vector<std::uint8_t> buffer(kBlockSize);
  Zeroed<std::vector<std::uint8_t>> zeroBuffer(buffer);

  for (int k = 1; k <= passCount_; ++k) {
    if (status_) status_(L"Deleting file : " + path + L"  Pass : " + std::to_wstring(k));
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(file_.get(), zero, nullptr, FILE_BEGIN)) throw EWipe(EWipe::Step::Write, path);
    std::int32_t entry = passes[static_cast<std::size_t>(k - 1)];
    bool random = entry == kRandomPass;
    if (!random) fillPattern(buffer.data(), buffer.size(), entry);
    for (std::uint64_t left = workingSize_; left > 0;) {
      std::size_t block = left > kBlockSize ? kBlockSize : static_cast<std::size_t>(left);
      if (random) generator_.FillBuffer(buffer.data(), static_cast<std::int32_t>(block));
      writeAll(path, buffer.data(), block);
      left -= block;
    }
    if (passHook_) passHook_(k, file_.get());
    ui::Application::processMessages();
  }
}

void TSWipe::writeAll(const std::wstring& path, const std::uint8_t* data, std::size_t length) {
  DWORD written = 0;
  if (!WriteFile(file_.get(), data, static_cast<DWORD>(length), &written, nullptr) || written != length) {
    throw EWipe(EWipe::Step::Write, path);
  }
}

bool TSWipe::WipeFolder(const std::wstring& path) {
  std::wstring top = path;
  if (!top.empty() && top.back() == L'\\') top.pop_back();
  if (isLink(top)) return removeLink(top);
  bool ok = true;
  visit(top, L"", ok);
  return ok;
}

void TSWipe::visit(const std::wstring& top, const std::wstring& relative, bool& ok) {
  DWORD attributes = GetFileAttributesW(top.c_str());
  if (!ok || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  std::wstring folder = top + relative;
  {
    WIN32_FIND_DATAW entry;
    win::FindHandle find(FindFirstFileW((folder + L"\\*.*").c_str(), &entry));
    if (find.valid()) {
      do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring full = folder + L"\\" + name;
        if (isLink(folder, entry)) {
          removeLink(full);  // a link left in place keeps its folder, which then fails to go
        } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          visit(top, relative + L"\\" + name, ok);
        } else if (!wipeRegularFile(full)) {
          ok = false;
        }
      } while (ok && FindNextFileW(find.get(), &entry));
    }
  }
  if (!ok) return;
  DWORD own = GetFileAttributesW(folder.c_str());  // a read-only folder goes like a read-only file
  if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesW(folder.c_str(), own & ~FILE_ATTRIBUTE_READONLY);
  }
  ok = RemoveDirectoryW(folder.c_str()) != FALSE;
}

}  // namespace kestova::shredder
