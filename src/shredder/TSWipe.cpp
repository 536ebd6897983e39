#include "shredder/TSWipe.h"

#include <algorithm>
#include <vector>

#include "core/long_path.h"
#include "core/overlapped_fill.h"
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

// The folder part with its backslash, then 200 "0" (the rename goes in the long form wherever
// the name would pass the old path limit).
std::wstring zeroName(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  return folder + std::wstring(kRenameLength, L'0');
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
  const std::wstring target = longPathForm(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  constexpr DWORD kCleared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  bool changed = attributes != INVALID_FILE_ATTRIBUTES && (attributes & kCleared);
  if (changed) {
    DWORD plain = attributes & ~kCleared;
    SetFileAttributesW(target.c_str(), plain ? plain : FILE_ATTRIBUTE_NORMAL);
  }
  file_ = win::FileHandle(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    if (changed) SetFileAttributesW(target.c_str(), attributes);  // a file we cannot wipe stays as it was
    throw EWipe(EWipe::Step::Open, path);
  }
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file_.get(), &size)) {
    file_.close();
    throw EWipe(EWipe::Step::Open, path);
  }
  std::uint64_t page = pageSize();
  workingSize_ = (static_cast<std::uint64_t>(size.QuadPart) + page - 1) / page * page;
  unflushed_ = 0;

  try {
    // A file larger than one flush interval has its bytes flushed on a second thread as the
    // passes go, the end of each pass still waiting for its own flush.
    if (workingSize_ > kFlushEvery) background_.emplace(file_.get());
    runPasses(path);
    background_.reset();
  } catch (...) {
    background_.reset();
    file_.close();  // not truncated: the passes did not complete
    throw;
  }

  LARGE_INTEGER zero = {};
  bool truncated = allowed(FileStep::Truncate) && SetFilePointerEx(file_.get(), zero, nullptr, FILE_BEGIN) &&
                   SetEndOfFile(file_.get());
  file_.close();
  if (!truncated) throw EWipe(EWipe::Step::Truncate, path);

  std::wstring renamed = longPathForm(zeroName(path));
  if (!MoveFileW(target.c_str(), renamed.c_str())) throw EWipe(EWipe::Step::Rename, path);
  if (!DeleteFileW(renamed.c_str())) throw EWipe(EWipe::Step::Delete, path);
  if (status_) status_(L"Status : Idle");
  return true;
}

void TSWipe::runPasses(const std::wstring& path) {
  PassList passes = shuffledPasses(generator_);
  Zeroed<PassList> zeroPasses(passes);
  auto write = [&](const std::uint8_t* data, std::size_t length) { writeAll(path, data, length); };

  for (int k = 1; k <= passCount_; ++k) {
    if (status_) status_(L"Deleting file : " + path + L"  Pass : " + std::to_wstring(k));
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(file_.get(), zero, nullptr, FILE_BEGIN)) throw EWipe(EWipe::Step::Write, path);
    std::int32_t entry = passes[static_cast<std::size_t>(k - 1)];
    if (entry != kRandomPass) {
      writePattern(path, entry);
    } else if (workingSize_ > kBlockSize) {
      writeRandomBlocksOverlapped(generator_, workingSize_, kBlockSize, write);
    } else {
      writeRandomBlocks(generator_, workingSize_, kBlockSize, write);  // one block: no thread for it
    }
    flush(path);
    if (passHook_) passHook_(k, file_.get());
    ui::Application::processMessages();
  }
}

void TSWipe::writePattern(const std::wstring& path, std::int32_t entry) {
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(workingSize_, kBlockSize)));
  Zeroed<std::vector<std::uint8_t>> zeroBuffer(buffer);
  fillPattern(buffer.data(), buffer.size(), entry);
  for (std::uint64_t left = workingSize_; left > 0;) {
    std::size_t block = left > kBlockSize ? kBlockSize : static_cast<std::size_t>(left);
    writeAll(path, buffer.data(), block);
    left -= block;
  }
}

void TSWipe::writeAll(const std::wstring& path, const std::uint8_t* data, std::size_t length) {
  DWORD written = 0;
  if (!allowed(FileStep::Write) || !WriteFile(file_.get(), data, static_cast<DWORD>(length), &written, nullptr) ||
      written != length) {
    throw EWipe(EWipe::Step::Write, path);
  }
  unflushed_ += length;
  if (unflushed_ < kFlushEvery) return;
  if (!background_) {
    flush(path);
    return;
  }
  background_->request();
  unflushed_ = 0;
}

// Write-through is not honoured everywhere (nor by a disk's own cache): without the flush the
// pass could still sit in memory when the truncation drops it, leaving the old content on disk.
void TSWipe::flush(const std::wstring& path) {
  if (background_ && !background_->settle()) throw EWipe(EWipe::Step::Write, path);
  if (!allowed(FileStep::Flush) || !FlushFileBuffers(file_.get())) throw EWipe(EWipe::Step::Write, path);
  unflushed_ = 0;
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
  DWORD attributes = GetFileAttributesW(longPathForm(top).c_str());
  if (!ok || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  std::wstring folder = top + relative;
  // The folder is read whole first: a file renamed while the listing is still open could come
  // up again under its new name.
  std::vector<WIN32_FIND_DATAW> entries;
  {
    WIN32_FIND_DATAW entry;
    win::FindHandle find(FindFirstFileW(longPathForm(folder + L"\\*.*").c_str(), &entry));
    if (find.valid()) {
      do {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") entries.push_back(entry);
      } while (FindNextFileW(find.get(), &entry));
    }
  }
  for (const WIN32_FIND_DATAW& entry : entries) {
    if (!ok) break;
    std::wstring name = entry.cFileName;
    std::wstring full = folder + L"\\" + name;
    if (isLink(folder, entry)) {
      removeLink(full);  // a link left in place keeps its folder, which then fails to go
    } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      visit(top, relative + L"\\" + name, ok);
    } else if (!wipeRegularFile(full)) {
      ok = false;
    }
  }
  if (!ok) return;
  const std::wstring target = longPathForm(folder);
  DWORD own = GetFileAttributesW(target.c_str());  // a read-only folder goes like a read-only file
  if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesW(target.c_str(), own & ~FILE_ATTRIBUTE_READONLY);
  }
  ok = RemoveDirectoryW(target.c_str()) != FALSE;
}

}  // namespace kestova::shredder
