#pragma once
// The system's beep behind an interface, so that tests count beeps instead of hearing them.

namespace platform {

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

}  // namespace platform
