#pragma once
// The disk statistics window.
#include "ui/form.h"

namespace kestova::stats {

class Tfstat : public ui::Form {
 public:
  Tfstat();

 protected:
  void build() override;
};

}  // namespace kestova::stats
