#pragma once
// The tips window: usage tips in a memo; F1 opens the help file.
#include "ui/form.h"

namespace kestova::app {

class Tftips : public ui::Form {
 public:
  Tftips();

 protected:
  void build() override;
  bool FormKeyDown(WORD key) override;
};

}  // namespace kestova::app
