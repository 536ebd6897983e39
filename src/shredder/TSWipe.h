#pragma once
// TSWipe: overwrites a file in 1, 3 or 7 passes, truncates, renames and deletes it; and does so
// for a whole folder tree. EWipe is the failure it raises.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/ia_rand.h"
#include "shredder/background_flush.h"
#include "win/error.h"
#include "win/handles.h"

namespace kestova::shredder {

class EWipe : public win::Error {
 public:
  enum class Step { Open, Write, Truncate, Rename, Delete };
  EWipe(Step step, const std::wstring& path);
  Step step() const { return step_; }

 private:
  Step step_;
};

class TSWipe {
 public:
  // Progress texts go to `status` (the shredder window's status line).
  using Status = std::function<void(const std::wstring&)>;
  // Called after each pass with its number and the open file, before the message pump.
  using PassHook = std::function<void(int pass, HANDLE file)>;
  // Test seam: asked before each write, flush and truncation of the open file; false makes that
  // step fail as a failing system call would.
  enum class FileStep { Write, Flush, Truncate };
  using FileHook = std::function<bool(FileStep step)>;

  static constexpr std::size_t kBlockSize = 135168;  // 0x21000, a multiple of 3
  // Inside a pass the file is also flushed, on a second thread, after this many bytes, so the
  // disk takes them while the next ones are made instead of all at the pass's end.
  static constexpr std::uint64_t kFlushEvery = 16ull << 20;

  explicit TSWipe(Status status);
  // Seeds the generator from given snapshot bytes instead of the system's state (tests).
  TSWipe(Status status, std::span<const std::uint8_t> snapshot);
  TSWipe(const TSWipe&) = delete;
  TSWipe& operator=(const TSWipe&) = delete;

  // 0 "Single pass", 1 "Triple pass", 2 "U.S. standard, DoD (7 passes)".
  void SetPasses(int algorithm);
  int passes() const { return passCount_; }
  void setPassHook(PassHook hook) { passHook_ = std::move(hook); }
  void setFileHook(FileHook hook) { fileHook_ = std::move(hook); }

  // Overwrites, truncates, renames and deletes the file; every pass is flushed to the disk before
  // the next one or the truncation. Raises EWipe when the file cannot be opened, or when a write
  // or flush, the truncation, the rename or the delete fails. A link is removed itself, never
  // followed (EWipe of the delete step when it cannot go alone).
  bool WipeFile(const std::wstring& path);
  // Wipes every file below the folder, depth first, and removes the folders; links, the folder
  // itself among them, are removed, never followed. False when a folder or a link could not be
  // removed.
  bool WipeFolder(const std::wstring& path);

 private:
  bool wipeRegularFile(const std::wstring& path);
  void runPasses(const std::wstring& path);
  void writePattern(const std::wstring& path, std::int32_t entry);
  void writeAll(const std::wstring& path, const std::uint8_t* data, std::size_t length);
  void flush(const std::wstring& path);
  bool allowed(FileStep step) const { return !fileHook_ || fileHook_(step); }
  void visit(const std::wstring& top, const std::wstring& relative, bool& ok);

  win::FileHandle file_;
  std::uint64_t workingSize_ = 0;
  std::uint64_t unflushed_ = 0;  // bytes written since the last flush
  std::optional<BackgroundFlush> background_;  // for the file being wiped
  int passCount_ = 1;
  TIARand generator_;
  Status status_;
  PassHook passHook_;
  FileHook fileHook_;
};

}  // namespace kestova::shredder
