// Vireltra: a titration simulator for secondary-school chemistry.
#include <QApplication>
#include <QFont>
#include <QLocale>

#include "app/applicationfolder.h"
#include "platform/fonts.h"
#include "platform/qtclipboard.h"
#include "platform/qtmessageboxes.h"
#include "workbench/mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireltra"));
    QApplication::setOrganizationName(QStringLiteral("Vireltra"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    platform::installFontSubstitutes();
    QApplication::setFont(platform::pixelFont(QStringLiteral("Arial"), 8.25));

    platform::QtMessageBoxes messageBoxes;
    platform::QtClipboard clipboard;
    workbench::Services services{messageBoxes, clipboard, applicationFolder(), {}};
    workbench::MainWindow window(services);
    messageBoxes.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
