#include "core/regedit4.h"

#include <cstdio>

#include "core/text_codec.h"

namespace kestova::regedit4 {
namespace {


std::wstring fromUtf16(const std::vector<std::uint8_t>& data) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

std::vector<std::uint8_t> toUtf16(std::wstring_view text) {
  std::vector<std::uint8_t> data;
  for (wchar_t c : text) {
    data.push_back(static_cast<std::uint8_t>(c & 0xFF));
    data.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
  }
  return data;
}

bool holdsCp1252(std::wstring_view text) { return fromCp1252(toCp1252(text)) == text; }

// A REG_SZ that fits between quotes: terminated once, no other zero, no line breaks.
bool isPlainString(const Value& value) {
  if (value.type != kString || value.data.size() % 2 != 0 || value.data.size() < 2) return false;
  const std::wstring text = fromUtf16(value.data);
  if (text.back() != 0) return false;
  const std::wstring_view body(text.data(), text.size() - 1);
  return body.find_first_of(std::wstring_view(L"\0\r\n", 3)) == body.npos && holdsCp1252(body);
}

// The registry editor reads the bytes of hex(1), hex(2) and hex(7) in the ANSI code page.
bool isAnsiConverted(std::uint32_t type) { return type == kString || type == kExpandString || type == kMultiString; }

std::string hexData(const Value& value, std::size_t prefixLength) {
  std::vector<std::uint8_t> bytes = value.data;
  if (isAnsiConverted(value.type)) {
    const std::string ansi = toCp1252(fromUtf16(value.data));
    bytes.assign(ansi.begin(), ansi.end());
  }
  std::string out;
  std::size_t column = prefixLength;
  char buffer[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", bytes[i]);
    out += buffer;
    column += 2;
    if (i + 1 < bytes.size()) {
      out += ',';
      ++column;
      if (column > 76) {
        out += "\\\r\n  ";
        column = 2;
      }
    }
  }
  return out;
}

// --- reading ---

[[noreturn]] void fail(std::size_t line, const std::string& what) {
  throw FormatError("Line " + std::to_string(line) + " of the registry file: " + what);
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Reads a quoted string at the start of `s` (after the opening quote), unescaping; consumes it.
std::string readQuoted(std::string_view& s, std::size_t line) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      out.push_back(s[++i]);
    } else if (s[i] == '"') {
      s.remove_prefix(i + 1);
      return out;
    } else {
      out.push_back(s[i]);
    }
  }
  fail(line, "a quoted text does not end");
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::uint8_t> readHexBytes(std::string_view s, std::size_t line) {
  std::vector<std::uint8_t> bytes;
  s = trim(s);
  while (!s.empty()) {
    if (s.size() < 2 || hexDigit(s[0]) < 0 || hexDigit(s[1]) < 0) fail(line, "bad hex data");
    bytes.push_back(static_cast<std::uint8_t>(hexDigit(s[0]) * 16 + hexDigit(s[1])));
    s = trim(s.substr(2));
    if (s.empty()) break;
    if (s.front() != ',') fail(line, "bad hex data");
    s = trim(s.substr(1));
  }
  return bytes;
}

Value readValue(std::string_view s, std::size_t line) {
  Value value;
  if (s.front() == '@') {
    s.remove_prefix(1);
  } else {
    s.remove_prefix(1);  // the opening quote
    value.name = fromCp1252(readQuoted(s, line));
  }
  s = trim(s);
  if (s.empty() || s.front() != '=') fail(line, "'=' expected");
  s = trim(s.substr(1));
  if (!s.empty() && s.front() == '"') {
    s.remove_prefix(1);
    value.type = kString;
    std::wstring text = fromCp1252(readQuoted(s, line));
    text.push_back(L'\0');
    value.data = toUtf16(text);
    if (!trim(s).empty()) fail(line, "text after the string");
  } else if (s.substr(0, 6) == "dword:") {
    std::string_view digits = s.substr(6);
    if (digits.size() != 8) fail(line, "a dword needs eight hex digits");
    std::uint32_t v = 0;
    for (char c : digits) {
      if (hexDigit(c) < 0) fail(line, "bad dword");
      v = (v << 4) | static_cast<std::uint32_t>(hexDigit(c));
    }
    value.type = kDword;
    value.data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
                  static_cast<std::uint8_t>(v >> 24)};
  } else if (s.substr(0, 4) == "hex:") {
    value.type = kBinary;
    value.data = readHexBytes(s.substr(4), line);
  } else if (s.substr(0, 4) == "hex(") {
    const std::size_t close = s.find("):");
    if (close == s.npos || close == 4 || close > 12) fail(line, "bad hex type");
    std::uint32_t type = 0;
    for (char c : s.substr(4, close - 4)) {
      if (hexDigit(c) < 0) fail(line, "bad hex type");
      type = (type << 4) | static_cast<std::uint32_t>(hexDigit(c));
    }
    value.type = type;
    value.data = readHexBytes(s.substr(close + 2), line);
    if (isAnsiConverted(type)) {
      value.data = toUtf16(fromCp1252(std::string(value.data.begin(), value.data.end())));
    }
  } else {
    fail(line, "unknown kind of data");
  }
  return value;
}

}  // namespace

std::string escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

std::string keyLine(std::wstring_view path) {
  std::string line = "[";
  line += toCp1252(path);
  line += ']';
  return line;
}

std::string valueLine(const Value& value) {
  std::string line = "\"";
  line += escape(toCp1252(value.name));
  line += "\"=";
  if (isPlainString(value)) {
    const std::wstring text = fromUtf16(value.data);
    line += '"';
    line += escape(toCp1252(std::wstring_view(text.data(), text.size() - 1)));
    line += '"';
    return line;
  }
  if (value.type == kDword && value.data.size() == 4) {
    char buffer[16];
    const std::uint32_t v = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                            (static_cast<std::uint32_t>(value.data[3]) << 24);
    std::snprintf(buffer, sizeof buffer, "dword:%08lx", static_cast<unsigned long>(v));
    return line + buffer;
  }
  if (value.type == kBinary) {
    line += "hex:";
  } else {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "hex(%lx):", static_cast<unsigned long>(value.type));
    line += buffer;
  }
  return line + hexData(value, line.size());
}

namespace {
bool holdsLine(std::wstring_view text) {
  return holdsCp1252(text) && text.find_first_of(L"\r\n") == std::wstring_view::npos;
}
}  // namespace

bool isLosslessKey(std::wstring_view path) { return holdsLine(path); }

bool isLossless(const Value& value) {
  if (!holdsLine(value.name)) return false;
  if (isAnsiConverted(value.type)) return value.data.size() % 2 == 0 && holdsCp1252(fromUtf16(value.data));
  return true;
}

std::vector<KeyBlock> parse(std::string_view file) {
  std::vector<KeyBlock> blocks;
  std::size_t lineNumber = 0;
  bool header = false;
  std::string pending;  // a value line with its continuation lines
  std::size_t pendingLine = 0;
  auto finishValue = [&] {
    if (pending.empty()) return;
    if (blocks.empty()) fail(pendingLine, "a value before the first key");
    blocks.back().values.push_back(readValue(pending, pendingLine));
    pending.clear();
  };
  while (!file.empty()) {
    const std::size_t end = file.find_first_of("\r\n");
    std::string_view raw = file.substr(0, end);
    if (end == file.npos) {
      file = {};
    } else {
      file.remove_prefix(end + (file.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    ++lineNumber;
    std::string_view line = trim(raw);
    if (!pending.empty()) {
      pending += line;
    } else if (line.empty() || line.front() == ';') {
      continue;
    } else if (!header) {
      if (line != "REGEDIT4") fail(lineNumber, "\"REGEDIT4\" expected");
      header = true;
      continue;
    } else if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3 || line[1] == '-') fail(lineNumber, "bad key line");
      blocks.push_back({fromCp1252(line.substr(1, line.size() - 2)), {}});
      continue;
    } else if (line.front() == '"' || line.front() == '@') {
      pending = line;
      pendingLine = lineNumber;
    } else {
      fail(lineNumber, "unexpected text");
    }
    if (!pending.empty() && pending.back() == '\\' && pending.find("=hex") != pending.npos) {
      pending.pop_back();
      continue;
    }
    finishValue();
  }
  finishValue();
  if (!header) fail(lineNumber, "\"REGEDIT4\" expected");
  return blocks;
}

}  // namespace kestova::regedit4
