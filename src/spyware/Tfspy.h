#pragma once
// The spyware blocker window.
#include "ui/form.h"

namespace kestova::spyware {

class Tfspy : public ui::Form {
 public:
  Tfspy();

 protected:
  void build() override;
};

}  // namespace kestova::spyware
