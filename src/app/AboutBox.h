#pragma once
// The about window.
#include "ui/form.h"

namespace kestova::app {

class AboutBox : public ui::Form {
 public:
  AboutBox();

 protected:
  void build() override;
};

}  // namespace kestova::app
