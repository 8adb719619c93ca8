// A picture of the calculator with an expression being typed; each file gets the same picture.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>

#include "platform/countingbeeper.h"
#include "tools/screenshots/pictures.h"
#include "windows/calculator/calculatormemory.h"
#include "windows/calculator/calculatorwindow.h"

namespace screenshots {

int calculatorPicture(const QStringList& arguments) {
    calculatorwindow::CalculatorMemory memory;
    platform::CountingBeeper beeper;
    calculatorwindow::CalculatorWindow calculator(memory, beeper);
    calculator.show();
    // 2 × sin 30 + 10²: what a pupil might type to check a result.
    for (const char* key : {"B2", "bsin", "B3", "B0", "plus", "B1", "B0", "btcarre"}) {
        if (auto* button = calculator.findChild<QPushButton*>(QString::fromLatin1(key))) button->click();
    }
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    const QPixmap picture = calculator.grab();
    int failures = 0;
    for (const QString& file : arguments) {
        if (!picture.save(file)) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace screenshots
