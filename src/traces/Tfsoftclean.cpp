#include "traces/Tfsoftclean.h"

namespace kestova::traces {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"Tfsoftclean", L"Kestova : Softclean", 760, 488};
  return spec;
}

}  // namespace

Tfsoftclean::Tfsoftclean() : Form(windowSpec()) {}

void Tfsoftclean::build() {}

}  // namespace kestova::traces
