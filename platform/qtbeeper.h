#pragma once
// The beep of the desktop, through QApplication::beep().
#include "platform/beeper.h"

namespace platform {

class QtBeeper : public Beeper {
  public:
    void beep() override;
};

}  // namespace platform
