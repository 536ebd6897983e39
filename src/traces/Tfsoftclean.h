#pragma once
// The Windows traces cleaner window.
#include "ui/form.h"

namespace kestova::traces {

class Tfsoftclean : public ui::Form {
 public:
  Tfsoftclean();

 protected:
  void build() override;
};

}  // namespace kestova::traces
