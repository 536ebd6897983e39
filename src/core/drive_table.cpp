#include "core/drive_table.h"

#include <cwctype>

namespace kestova {
namespace {

std::wstring between(const std::wstring& line, std::size_t from, wchar_t until) {
  if (from > line.size()) return {};
  std::size_t end = line.find(until, from);
  if (end == std::wstring::npos) end = line.size();
  return line.substr(from, end - from);
}

std::wstring after(const std::wstring& line, wchar_t mark, wchar_t until) {
  std::size_t at = line.find(mark);
  if (at == std::wstring::npos) return {};
  return between(line, at + 1, until);
}

}  // namespace

std::wstring driveLine(wchar_t letter, std::uint64_t capacityBytes, std::uint64_t freeBytes) {
  const std::uint64_t mb = 1024 * 1024;
  std::wstring line(1, static_cast<wchar_t>(std::towupper(letter)));
  line += L":\\" + std::to_wstring(capacityBytes / mb) + L"|" + std::to_wstring(freeBytes / mb) +
          L"w0z0f";
  return line;
}

bool putDriveLine(Lines& lines, const std::wstring& line) {
  bool found = false;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] == line[0]) {
      lines[i] = line;
      found = true;
    }
  }
  if (found) return false;
  if (lines.empty()) lines.emplace_back();  // line 1 is never a drive line
  lines.push_back(line);
  return true;
}

DriveTable DriveTable::read(const Lines& lines, const std::vector<wchar_t>& driveList) {
  DriveTable table;
  for (std::size_t entry = 1; entry < driveList.size() && entry <= kSlots; ++entry) {
    wchar_t letter = driveList[entry];
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const std::wstring& line = lines[i];
      if (line.empty() || line[0] != letter) continue;
      DriveSlot slot;
      slot.letter = letter;
      slot.capacityMB = between(line, 3, L'|');
      slot.freeMB = after(line, L'|', L'w');
      slot.totalClusters = after(line, L'w', L'z');
      slot.freeClusters = after(line, L'z', L'f');
      table.slots_[entry - 1] = slot;
      break;
    }
  }
  return table;
}

const DriveSlot* DriveTable::find(wchar_t letter) const {
  for (const auto& slot : slots_) {
    if (slot && slot->letter == letter) return &*slot;
  }
  return nullptr;
}

const DriveSlot* DriveTable::findComplete(wchar_t letter) const {
  const DriveSlot* found = nullptr;
  for (const auto& slot : slots_) {
    if (slot && slot->letter == letter && isMegabytes(slot->capacityMB) && isMegabytes(slot->freeMB)) found = &*slot;
  }
  return found;
}

bool isMegabytes(const std::wstring& field) {
  if (field.empty() || std::iswspace(field[0])) return false;
  try {
    std::size_t used = 0;
    std::stod(field, &used);
    return used == field.size();
  } catch (...) {
    return false;
  }
}

double megabytesOf(const std::wstring& field) {
  try {
    std::size_t used = 0;
    double value = std::stod(field, &used);
    return used == field.size() ? value : 0.0;
  } catch (...) {
    return 0.0;
  }
}

}  // namespace kestova
