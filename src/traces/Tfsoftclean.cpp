#include "traces/Tfsoftclean.h"

namespace kestova::traces {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfsoftclean", L"Kestova : Softclean", 760, 488};
  return layout;
}

}  // namespace

Tfsoftclean::Tfsoftclean() : Form(windowSpec()) {}

void Tfsoftclean::build() {}

}  // namespace kestova::traces
