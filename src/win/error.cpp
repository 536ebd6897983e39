#include "win/error.h"

#include "core/text_codec.h"

namespace kestova::win {

Error::Error(const std::wstring& text) : std::runtime_error(toCp1252(text)), text_(text) {}

std::wstring systemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : L"System error " + std::to_wstring(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  return text;
}

void throwLastError(const std::wstring& what) {
  DWORD code = GetLastError();
  throw Error(what + L": " + systemErrorText(code));
}

std::wstring exceptionText(const std::exception& e) {
  if (auto* error = dynamic_cast<const Error*>(&e)) return error->text();
  return fromCp1252(e.what());
}

}  // namespace kestova::win
