#include "registry/reg_import.h"

#include "core/regedit4.h"
#include "core/text_codec.h"
#include "registry/registry_roots.h"
#include "win/error.h"
#include "win/registry_key.h"
#include "win/text_file.h"

namespace kestova::registry {

void ImportRegFile(const std::wstring& path) {
  std::vector<regedit4::KeyBlock> blocks;
  try {
    blocks = regedit4::parse(win::readBytes(path));
  } catch (const regedit4::FormatError& e) {
    throw win::Error(L"Cannot import \"" + path + L"\". " + fromCp1252(e.what()));
  }
  for (const regedit4::KeyBlock& block : blocks) {
    const std::size_t slash = block.path.find(L'\\');
    const HKEY root = rootKey(regsearch::rootNamed(block.path.substr(0, slash)));
    if (!root) throw win::Error(L"Cannot import \"" + path + L"\". Unknown root key in [" + block.path + L"]");
    const std::wstring subkey = slash == std::wstring::npos ? L"" : block.path.substr(slash + 1);
    win::RegistryKey key = win::RegistryKey::create(root, subkey, KEY_SET_VALUE | kCleanerView);
    for (const regedit4::Value& value : block.values) {
      key.setValue(value.name, value.type, std::vector<BYTE>(value.data.begin(), value.data.end()));
    }
  }
}

}  // namespace kestova::registry
