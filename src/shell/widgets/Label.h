#pragma once
// Static white text.

#include "shell/widgets/WObject.h"

namespace mv {

class TDXWLabel : public TDXWObject {
 public:
  static constexpr int kFontSize = 10;
  void draw(TSurface& target) override;
};

}  // namespace mv
