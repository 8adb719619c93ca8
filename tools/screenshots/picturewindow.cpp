#include "tools/screenshots/picturewindow.h"

#include <QAbstractButton>
#include <QApplication>

#include "app/applicationfolder.h"

namespace screenshots {

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

PictureWindow::PictureWindow(Commands commands, const QString& dataFolder)
    : m_printer(m_fileDialogs, m_boxes),
      m_window(workbench::Services{m_boxes,
                                   m_clipboard,
                                   m_fileDialogs,
                                   m_printer,
                                   dataFolder.isEmpty() ? applicationFolder() : dataFolder,
                                   {}}) {
    if (commands == Commands::Wired) connectCommands(m_window, m_run, m_beeper);
    m_window.show();
    settle();
}

void PictureWindow::click(const char* name) {
    if (auto* button = m_window.findChild<QAbstractButton*>(QString::fromLatin1(name))) button->click();
    settle();
}

}  // namespace screenshots
