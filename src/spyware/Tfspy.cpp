#include "spyware/Tfspy.h"

namespace kestova::spyware {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"Tfspy", L"Kestova : Block Spyware", 760, 488};
  return spec;
}

}  // namespace

Tfspy::Tfspy() : Form(windowSpec()) {}

void Tfspy::build() {}

}  // namespace kestova::spyware
