#include "platform/qtbeeper.h"

#include <QApplication>

namespace platform {

void QtBeeper::beep() {
    QApplication::beep();
}

}  // namespace platform
