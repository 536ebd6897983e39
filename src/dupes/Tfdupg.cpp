#include "dupes/Tfdupg.h"

namespace kestova::dupes {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfdupg", L"Find Duplicates ", 408, 158};
  layout.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  return layout;
}

}  // namespace

Tfdupg::Tfdupg() : Form(windowSpec()) {}

void Tfdupg::build() {}

}  // namespace kestova::dupes
