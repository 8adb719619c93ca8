// Takes a picture of the calculator with an expression being typed:
// calculator_screenshot <picture.png>...  (each file gets the same picture).
#include <QApplication>
#include <QPixmap>
#include <QPushButton>

#include "platform/countingbeeper.h"
#include "platform/fonts.h"
#include "windows/calculator/calculatormemory.h"
#include "windows/calculator/machine.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    QApplication::setFont(platform::pixelFont(QStringLiteral("Arial"), 8.25));

    calculatorwindow::CalculatorMemory memory;
    platform::CountingBeeper beeper;
    calculatorwindow::Machine machine(memory, beeper);
    machine.show();
    // 2 × sin 30 + 10²: what a pupil might type to check a result.
    for (const char* key : {"B2", "bsin", "B3", "B0", "plus", "B1", "B0", "btcarre"}) {
        if (auto* button = machine.findChild<QPushButton*>(QString::fromLatin1(key))) button->click();
    }
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    const QPixmap picture = machine.grab();
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        if (!picture.save(QString::fromLocal8Bit(argv[i]))) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
