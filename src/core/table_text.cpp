#include "core/table_text.h"

#include <cstdio>

#include "core/text_codec.h"

namespace kestova {

std::wstring tabSeparatedLine(std::span<const std::wstring> fields) {
  std::wstring line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += L'\t';
    for (wchar_t c : fields[i]) line += c == L'\t' || c == L'\r' || c == L'\n' ? L' ' : c;
  }
  line += L"\r\n";
  return line;
}

std::string csvRecord(std::span<const std::wstring> fields) {
  std::wstring record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += L',';
    const std::wstring& field = fields[i];
    if (field.find_first_of(L",\"\r\n") == std::wstring::npos) {
      record += field;
      continue;
    }
    record += L'"';
    for (wchar_t c : field) {
      if (c == L'"') record += L'"';
      record += c;
    }
    record += L'"';
  }
  record += L"\r\n";
  return toUtf8(record);
}

std::wstring exportFileName(std::wstring_view title, int year, int month, int day) {
  std::wstring name;
  bool blank = false;
  for (wchar_t c : title) {
    if (c == L' ' || c == L'\t') {
      blank = !name.empty();
      continue;
    }
    if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) continue;
    if (blank) name += L' ';
    blank = false;
    name += c;
  }
  wchar_t date[16];
  std::swprintf(date, 16, L"%04d-%02d-%02d", year, month, day);
  return (name.empty() ? L"" : name + L" ") + date + L".csv";
}

}  // namespace kestova
