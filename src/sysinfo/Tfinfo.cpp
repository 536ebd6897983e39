#include "sysinfo/Tfinfo.h"

namespace kestova::sysinfo {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfinfo", L"System Utilities", 600, 420};
  return layout;
}

}  // namespace

Tfinfo::Tfinfo() : Form(windowSpec()) {}

void Tfinfo::build() {}

}  // namespace kestova::sysinfo
