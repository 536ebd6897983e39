#pragma once
// The shredder window.
#include "ui/form.h"

namespace kestova::shredder {

class TFwipe : public ui::Form {
 public:
  TFwipe();

 protected:
  void build() override;
};

}  // namespace kestova::shredder
