#include "sysinfo/Tfinfo.h"

namespace kestova::sysinfo {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"Tfinfo", L"System Utilities", 600, 420};
  return spec;
}

}  // namespace

Tfinfo::Tfinfo() : Form(windowSpec()) {}

void Tfinfo::build() {}

}  // namespace kestova::sysinfo
