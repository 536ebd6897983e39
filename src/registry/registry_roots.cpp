#include "registry/registry_roots.h"

namespace kestova::registry {

HKEY rootKey(regsearch::RootId root) {
  using regsearch::RootId;
  switch (root) {
    case RootId::DynData: return HKEY_DYN_DATA;
    case RootId::PerformanceData: return HKEY_PERFORMANCE_DATA;
    case RootId::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RootId::CurrentUser: return HKEY_CURRENT_USER;
    case RootId::Users: return HKEY_USERS;
    case RootId::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RootId::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RootId::None: break;
  }
  return nullptr;
}

}  // namespace kestova::registry
