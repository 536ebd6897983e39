#include "dupes/Tfdups.h"

namespace kestova::dupes {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfdups", L"Kestova : Find Duplicate files ", 752, 488};
  layout.style = WS_OVERLAPPEDWINDOW;
  return layout;
}

}  // namespace

Tfdups::Tfdups() : Form(windowSpec()) {}

void Tfdups::build() {}

}  // namespace kestova::dupes
