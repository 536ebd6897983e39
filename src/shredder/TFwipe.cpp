#include "shredder/TFwipe.h"

namespace kestova::shredder {
namespace {

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"TFwipe", L"Kestova :  Shredder - make files unrecoverable", 760, 488};
  return layout;
}

}  // namespace

TFwipe::TFwipe() : Form(windowSpec()) {}

void TFwipe::build() {}

}  // namespace kestova::shredder
