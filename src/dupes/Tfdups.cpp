#include "dupes/Tfdups.h"

namespace kestova::dupes {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"Tfdups", L"Kestova : Find Duplicate files ", 752, 488};
  spec.style = WS_OVERLAPPEDWINDOW;
  return spec;
}

}  // namespace

Tfdups::Tfdups() : Form(windowSpec()) {}

void Tfdups::build() {}

}  // namespace kestova::dupes
