#include "registry/TMainForm.h"

namespace kestova::registry {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"TMainForm", L"Kestova : Fix PC errors", 760, 500};
  layout.style = WS_OVERLAPPEDWINDOW;
  return layout;
}

}  // namespace

TMainForm::TMainForm() : Form(windowSpec()) {}

void TMainForm::build() {}

}  // namespace kestova::registry
