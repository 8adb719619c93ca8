#include "tools/screenshots/picturewindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <span>

#include "app/applicationfolder.h"
#include "state/meters.h"

namespace screenshots {

std::optional<measurements::ReadResult> readExampleMeasurements(const QString& path) {
    QFile example(path);
    if (!example.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return std::nullopt;
    }
    const QByteArray bytes = example.readAll();
    measurements::ReadResult read = measurements::readMeasurements(
        std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())),
        state::labReadings());
    if (!read.ok()) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return std::nullopt;
    }
    return read;
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

QDir emptyCaptureFolder() {
    QDir folder(QDir::temp().filePath(QStringLiteral("Vireltra-captures")));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    return folder;
}

bool copyFolder(const QString& from, const QString& to) {
    // Far more than the program's data holds; a loop through links ends here.
    constexpr int kMaxFiles = 10000;
    const QDir source(from);
    const QDir target(to);
    QDirIterator files(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    int copied = 0;
    while (files.hasNext()) {
        if (++copied > kMaxFiles) return false;
        const QString file = files.next();
        const QString copy = target.filePath(source.relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(copy).path()) || !QFile::copy(file, copy)) return false;
    }
    return copied > 0;
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
