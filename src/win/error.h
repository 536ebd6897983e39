#pragma once
// Errors that reach the application's general error handler carry their text.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace kestova::win {

// An error with a text meant for the user, as the general error handler shows it.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::wstring& text);
  const std::wstring& text() const { return text_; }

 private:
  std::wstring text_;
};

// The system's text for an error code, without the trailing line break.
std::wstring systemErrorText(DWORD code);

// Throws Error(what + ": " + the system's text of GetLastError()).
[[noreturn]] void throwLastError(const std::wstring& what);

// The text the general error handler shows for any exception.
std::wstring exceptionText(const std::exception& e);

}  // namespace kestova::win
