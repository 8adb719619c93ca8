#pragma once
// A silent beeper for tests: it only counts the beeps asked for.
#include "platform/beeper.h"

namespace platform {

class CountingBeeper : public Beeper {
  public:
    void beep() override { ++m_count; }
    int count() const { return m_count; }

  private:
    int m_count = 0;
};

}  // namespace platform
