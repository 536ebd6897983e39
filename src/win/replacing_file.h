#pragma once
// A file written under a temporary name in its target's folder and renamed over the target only
// once it is complete: a write that fails half way, or a target that cannot be replaced, leaves
// any file of that name as it was.
#include <string>
#include <string_view>

#include "win/handles.h"

namespace kestova::win {

class ReplacingFile {
 public:
  // Throws Error naming the target when no file can be made in its folder.
  explicit ReplacingFile(std::wstring target);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // The temporary file goes unless it became the target.
  ~ReplacingFile();

  // Each throws Error naming the target.
  void write(std::string_view bytes);
  void commit();

 private:
  [[noreturn]] void fail() const;

  std::wstring target_;
  std::wstring temporary_;
  FileHandle file_;
  bool committed_ = false;
};

}  // namespace kestova::win
