#pragma once
// The registry cleaner window.
#include "ui/form.h"

namespace kestova::registry {

class TMainForm : public ui::Form {
 public:
  TMainForm();

 protected:
  void build() override;
};

}  // namespace kestova::registry
