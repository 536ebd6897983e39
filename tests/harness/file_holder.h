#pragma once
// Another process that holds a file open without sharing for as long as this object lives.
#include <string>

#include "win/handles.h"

namespace kestova::test {

class FileHolder {
 public:
  // Returns once the other process has the file open; throws when it cannot open it.
  explicit FileHolder(const std::wstring& path);
  FileHolder(const FileHolder&) = delete;
  FileHolder& operator=(const FileHolder&) = delete;
  // Lets the file go and waits for the process to end.
  ~FileHolder();

 private:
  win::Handle process_;
  win::Handle input_;  // closing it ends the holder
};

}  // namespace kestova::test
