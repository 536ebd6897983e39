#include "spyware/Tfspy.h"

namespace kestova::spyware {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfspy", L"Kestova : Block Spyware", 760, 488};
  return layout;
}

}  // namespace

Tfspy::Tfspy() : Form(windowSpec()) {}

void Tfspy::build() {}

}  // namespace kestova::spyware
