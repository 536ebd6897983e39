#include "dupes/Tfdupg.h"

namespace kestova::dupes {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"Tfdupg", L"Find Duplicates ", 408, 158};
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  return spec;
}

}  // namespace

Tfdupg::Tfdupg() : Form(windowSpec()) {}

void Tfdupg::build() {}

}  // namespace kestova::dupes
