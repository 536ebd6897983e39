#pragma once
// What Block found before it changed a value, so that Unblock gives back exactly that and touches
// nothing Block did not change. Kept in a file beside the program that survives a restart, a
// reinstall and an uninstall (as the registry backup does): one line per changed value,
// "<view> TAB <key path> TAB <state>".
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kestova::spyware {

struct PriorState {
  enum Kind { Kept, NoKey, NoValue, Data };
  PriorState(Kind k = NoKey, DWORD t = REG_NONE, std::vector<BYTE> d = {}) : kind(k), type(t), data(std::move(d)) {}

  Kind kind;
  DWORD type;               // Data: the old value
  std::vector<BYTE> data;
};

class BlockRecord {
 public:
  // Reads the record file at `path`; a missing file is an empty record. Throws win::Error when
  // the file is there but cannot be read.
  explicit BlockRecord(std::wstring path);

  // The state before the first Block that changed `id` (view and full key path), if recorded.
  std::optional<PriorState> find(const std::wstring& id) const;
  // Records `state` for `id` unless a change of Block is recorded already (a Kept entry gives
  // way: the value it kept has gone since); on disk before the caller changes the registry.
  // Throws win::Error when the file cannot be written.
  void remember(const std::wstring& id, const PriorState& state);
  // Unblock has given back the state of `id`: save() leaves it out.
  void markUndone(const std::wstring& id) { undone_.insert(id); }
  // Writes what is left (through a file beside it renamed into place); no entry, no file.
  void save() const;

 private:
  std::wstring path_;
  std::map<std::wstring, PriorState> entries_;
  std::set<std::wstring> undone_;
};

// The record file beside the program.
std::wstring blockRecordPath();

}  // namespace kestova::spyware
