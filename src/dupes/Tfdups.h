#pragma once
// The duplicate finder window.
#include "ui/form.h"

namespace kestova::dupes {

class Tfdups : public ui::Form {
 public:
  Tfdups();

 protected:
  void build() override;
};

}  // namespace kestova::dupes
