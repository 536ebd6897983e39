#include "registry/repair.h"

#include "core/regedit4.h"
#include "core/repair_plan.h"
#include "registry/registry_roots.h"
#include "win/error.h"
#include "win/handles.h"
#include "win/program_folder.h"
#include "win/registry_key.h"

namespace kestova::registry {
namespace {

struct PlannedChange {
  std::size_t index;        // into the tables
  regsearch::RootId root;
  std::wstring keyPath;     // as the key text gives it
  regedit4::Value old;      // the value as it is now
  std::wstring corrected;   // the found file; empty: delete the value
};

bool isRegularFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void findFile(const std::wstring& startFolder, const std::wstring& fileName, bool recursive,
              const std::function<void(const std::wstring&)>& searching, std::wstring& found) {
  if (searching) searching(L"Searching for " + fileName + L" " + startFolder);
  std::wstring base = startFolder;
  if (base.empty() || base.back() != L'\\') base += L'\\';
  if (isRegularFile(base + fileName)) {
    found = base + fileName;
    return;
  }
  if (!recursive) return;
  WIN32_FIND_DATAW entry;
  win::FindHandle list(FindFirstFileW((base + L"*.*").c_str(), &entry));
  if (!list.valid()) return;
  do {
    const DWORD a = entry.dwFileAttributes;
    if (!(a & FILE_ATTRIBUTE_DIRECTORY) || (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) ||
        (a & FILE_ATTRIBUTE_REPARSE_POINT)) {
      continue;  // links are not followed: they could lead back into the walk
    }
    const std::wstring name = entry.cFileName;
    if (name.find(L'.') != name.npos) continue;
    findFile(base + name, fileName, true, searching, found);
  } while (FindNextFileW(list.get(), &entry));
}

// The key's full path as the backup names it.
std::wstring backupKeyPath(const TRegistryErrors& errors, const PlannedChange& change) {
  const std::wstring& realPath = errors.FoundPaths[change.index];
  return std::wstring(regsearch::rootName(change.root)) + (realPath.empty() ? L"" : L"\\" + realPath);
}

void writeBackup(const std::wstring& path, const std::string& bytes) {
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
  auto fail = [&path] {
    win::throwLastError(L"Cannot write the backup file \"" + path + L"\"; no registry value was changed");
  };
  if (!file) fail();
  DWORD wrote = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
      wrote != bytes.size() || !FlushFileBuffers(file.get())) {
    fail();
  }
}

}  // namespace

std::wstring BackupFilePath() { return win::programFolder() + L"deletedkeys.reg"; }

std::wstring FindFileOnDrive(const std::wstring& startFolder, const std::wstring& fileName, bool recursive,
                             const std::function<void(const std::wstring&)>& searching) {
  std::wstring found;
  findFile(startFolder, fileName, recursive, searching, found);
  return found;
}

RepairResult RepairErrors(TRegistryErrors& errors, bool extra, const std::wstring& backupPath,
                          const RepairProgress& progress) {
  // First every change is planned and every old value read; nothing is changed yet.
  RepairResult result;
  std::vector<PlannedChange> plan;
  const int maximum = errors.ErrorCount;
  for (int position = 0; position < maximum; ++position) {
    if (progress.item) {
      progress.item(L"Fixing item " + std::to_wstring(position + 1) + L" of " + std::to_wstring(maximum), position,
                    maximum);
    }
    const auto i = static_cast<std::size_t>(position);
    const std::wstring& keyText = errors.FoundKeys[i];
    const regsearch::RootId root = regsearch::chooseRoot(keyText);
    if (!rootKey(root)) continue;
    PlannedChange change{i, root, regsearch::keyPathOf(keyText), {}, {}};
    auto key = win::RegistryKey::open(rootKey(root), change.keyPath, KEY_QUERY_VALUE | KEY_SET_VALUE | kCleanerView);
    if (!key) continue;  // not cleaned: nothing is changed
    auto value = key->value(errors.FoundNames[i]);
    if (!value) continue;  // already gone: nothing to back up or change
    change.old = {errors.FoundNames[i], value->type, std::vector<std::uint8_t>(value->data.begin(), value->data.end())};
    // A value the backup cannot give back exactly stays as it is, and is told as left.
    if (!regedit4::isLossless(change.old) || !regedit4::isLosslessKey(backupKeyPath(errors, change))) {
      ++result.left;
      continue;
    }
    const std::wstring& data = errors.FoundData[i];
    // Only a string value can take the found path, in its own type; a cut name could match
    // another file, so such a value is deleted as without "Extra".
    bool rewritable = value->type == REG_SZ || value->type == REG_EXPAND_SZ;
    if (extra && rewritable) {
      auto target = regsearch::fixTarget(data);
      if (target && !target->cut) {
        change.corrected = FindFileOnDrive(target->drive, target->fileName, true, progress.searching);
      }
    }
    plan.push_back(std::move(change));
  }

  std::string backup = "REGEDIT4\r\n \r\n";
  for (const PlannedChange& change : plan) {
    backup += regedit4::keyLine(backupKeyPath(errors, change)) + "\r\n" + regedit4::valueLine(change.old) + "\r\n";
  }
  backup += " \r\n";
  writeBackup(backupPath, backup);

  for (const PlannedChange& change : plan) {
    auto key = win::RegistryKey::open(rootKey(change.root), change.keyPath, KEY_SET_VALUE | kCleanerView);
    if (!key) continue;
    const std::wstring& name = change.old.name;
    if (!change.corrected.empty()) {
      if (errors.FoundData[change.index].find(L"msme") == std::wstring::npos) {
        const std::wstring& text = change.corrected;
        const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
        if (RegSetValueExW(key->get(), name.c_str(), 0, change.old.type, bytes,
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
          continue;
        }
      }
      ++result.fixed;
    } else if (key->deleteValue(name)) {
      ++result.cleaned;
    }
  }
  errors.FixedCount = result.fixed;
  result.cleanedText = std::to_wstring(result.cleaned) + L" Registry Items Cleaned";
  if (result.fixed > 0) result.fixedText = std::to_wstring(result.fixed) + L" Registry Items Fixed";
  if (result.left > 0) {
    result.leftText = std::to_wstring(result.left) + L" Registry Items left unchanged: they cannot be backed up exactly";
  }
  return result;
}

}  // namespace kestova::registry
