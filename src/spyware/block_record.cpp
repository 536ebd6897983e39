#include "spyware/block_record.h"

#include <cstdio>
#include <string_view>

#include "core/text_codec.h"
#include "win/error.h"
#include "win/handles.h"
#include "win/program_folder.h"
#include "win/text_file.h"

namespace kestova::spyware {
namespace {

std::wstring stateText(const PriorState& state) {
  switch (state.kind) {
    case PriorState::Kept: return L"kept";
    case PriorState::NoKey: return L"nokey";
    case PriorState::NoValue: return L"novalue";
    case PriorState::Data: break;
  }
  std::wstring text(L"data ");
  text += std::to_wstring(state.type);
  text += L' ';
  for (BYTE b : state.data) {
    wchar_t pair[3];
    std::swprintf(pair, 3, L"%02X", b);
    text += pair;
  }
  return text;
}

int hexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Nothing for a line this program did not write.
std::optional<PriorState> parseState(std::wstring_view text) {
  if (text == L"kept") return PriorState{PriorState::Kept};
  if (text == L"nokey") return PriorState{PriorState::NoKey};
  if (text == L"novalue") return PriorState{PriorState::NoValue};
  constexpr std::wstring_view kData = L"data ";
  if (text.substr(0, kData.size()) != kData) return std::nullopt;
  text.remove_prefix(kData.size());
  std::size_t blank = text.find(L' ');
  if (blank == std::wstring_view::npos || blank == 0 || blank > 10) return std::nullopt;
  unsigned long long type = 0;
  for (wchar_t c : text.substr(0, blank)) {
    if (c < L'0' || c > L'9') return std::nullopt;
    type = type * 10 + static_cast<unsigned>(c - L'0');
  }
  if (type > 0xFFFFFFFFull) return std::nullopt;
  std::wstring_view hex = text.substr(blank + 1);
  if (hex.size() % 2) return std::nullopt;
  std::vector<BYTE> data;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = hexDigit(hex[i]), low = hexDigit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    data.push_back(static_cast<BYTE>(high * 16 + low));
  }
  return PriorState{PriorState::Data, static_cast<DWORD>(type), std::move(data)};
}

std::string lineBytes(const std::wstring& id, const PriorState& state) {
  return toCp1252(id + L"\t" + stateText(state)) + "\r\n";
}

}  // namespace

std::wstring blockRecordPath() { return win::programFolder() + L"spyblock.TXT"; }

BlockRecord::BlockRecord(std::wstring path) : path_(std::move(path)) {
  auto lines = win::readLinesIfExists(path_);
  if (!lines) return;
  for (const std::wstring& line : *lines) {
    std::size_t tab = line.rfind(L'\t');
    if (tab == std::wstring::npos) continue;
    // Lines are appended: a later one for the same value replaces a kept one.
    if (auto state = parseState(std::wstring_view(line).substr(tab + 1))) entries_[line.substr(0, tab)] = *state;
  }
}

std::optional<PriorState> BlockRecord::find(const std::wstring& id) const {
  auto it = entries_.find(id);
  if (it == entries_.end()) return std::nullopt;
  return it->second;
}

void BlockRecord::remember(const std::wstring& id, const PriorState& state) {
  auto known = entries_.find(id);
  if (known != entries_.end() && (known->second.kind != PriorState::Kept || state.kind == PriorState::Kept)) return;
  const std::string bytes = lineBytes(id, state);
  win::FileHandle file(CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD wrote = 0;
  if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
      wrote != bytes.size()) {
    win::throwLastError(L"Cannot write the block record \"" + path_ + L"\"; the item was not blocked");
  }
  entries_[id] = state;
}

void BlockRecord::save() const {
  std::string bytes;
  for (const auto& [id, state] : entries_) {
    if (!undone_.count(id)) bytes += lineBytes(id, state);
  }
  if (bytes.empty()) {
    if (!DeleteFileW(path_.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
      win::throwLastError(L"Cannot remove the block record \"" + path_ + L"\"");
    }
    return;
  }
  win::replaceBytes(path_, bytes);
}

}  // namespace kestova::spyware
