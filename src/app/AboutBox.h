#pragma once
// The about window: name, version, what the program does, web site and support mailbox.
#include "ui/form.h"

namespace kestova::app {

class AboutBox : public ui::Form {
 public:
  AboutBox();

 protected:
  void build() override;
  bool FormKeyDown(WORD key) override;
};

}  // namespace kestova::app
