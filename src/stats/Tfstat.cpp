#include "stats/Tfstat.h"

namespace kestova::stats {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfstat", L"Kestova - Disk Statistics", 760, 488};
  return layout;
}

}  // namespace

Tfstat::Tfstat() : Form(windowSpec()) {}

void Tfstat::build() {}

}  // namespace kestova::stats
