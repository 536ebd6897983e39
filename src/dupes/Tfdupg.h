#pragma once
// The progress window of the duplicate search.
#include "ui/form.h"

namespace kestova::dupes {

class Tfdupg : public ui::Form {
 public:
  Tfdupg();

 protected:
  void build() override;
};

}  // namespace kestova::dupes
