#include "shredder/TFwipe.h"

namespace kestova::shredder {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec spec{L"TFwipe", L"Kestova :  Shredder - make files unrecoverable", 760, 488};
  return spec;
}

}  // namespace

TFwipe::TFwipe() : Form(windowSpec()) {}

void TFwipe::build() {}

}  // namespace kestova::shredder
