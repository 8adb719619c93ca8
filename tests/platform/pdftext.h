#pragma once
// The text a PDF reader selects in a document, as poppler's pdftotext lays it out: none when the
// tool is not installed.
#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryFile>
#include <optional>

inline std::optional<QString> pdfToText(const QByteArray& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return std::nullopt;
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush()) return QString();
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), file.fileName(), QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
