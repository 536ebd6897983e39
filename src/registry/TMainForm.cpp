#include "registry/TMainForm.h"

namespace kestova::registry {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"TMainForm", L"Kestova : Fix PC errors", 760, 500};
  spec.style = WS_OVERLAPPEDWINDOW;
  return spec;
}

}  // namespace

TMainForm::TMainForm() : Form(windowSpec()) {}

void TMainForm::build() {}

}  // namespace kestova::registry
