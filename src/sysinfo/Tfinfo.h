#pragma once
// The system information window.
#include "ui/form.h"

namespace kestova::sysinfo {

class Tfinfo : public ui::Form {
 public:
  Tfinfo();

 protected:
  void build() override;
};

}  // namespace kestova::sysinfo
