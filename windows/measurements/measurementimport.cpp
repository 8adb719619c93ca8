#include "windows/measurements/measurementimport.h"

#include <QFile>
#include <filesystem>
#include <string>

#include "configuration/recordfile.h"
#include "measurements/measurementreader.h"
#include "platform/messageboxes.h"
#include "platform/utf8text.h"
#include "state/meters.h"
#include "windows/configuration/opendialog.h"

namespace measurementwindows {

namespace {

using platform::fromUtf8;

}  // namespace

std::optional<ImportedMeasurements> readMeasurementFile(const QString& path,
                                                        platform::MessageBoxes& messageBoxes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const bool denied = configuration::readingDenied(std::filesystem::path(path.toStdU16String()));
        messageBoxes.show(
            platform::MessageIcon::Stop,
            denied ? QStringLiteral("Accès refusé : vous n'avez pas le droit de lire ce fichier.")
                   : QStringLiteral("Lecture impossible sur disque"),
            QStringLiteral("Erreur lors du chargement du fichier"), platform::MessageButtons::Ok);
        return std::nullopt;
    }
    // One byte beyond the reader's limit is enough for it to refuse a file that is too big.
    const QByteArray bytes = file.read(static_cast<qint64>(measurements::kMaxFileBytes) + 1);
    measurements::ReadResult read = measurements::readMeasurements(
        std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())),
        state::labReadings());
    if (!read.ok()) {
        messageBoxes.show(platform::MessageIcon::Stop, fromUtf8(read.error),
                          QStringLiteral("Fichier de mesures non valide"), platform::MessageButtons::Ok);
        return std::nullopt;
    }
    return ImportedMeasurements{std::move(read), path};
}

configurationwindow::OpenDialog* openMeasurementImport(platform::MessageBoxes& messageBoxes,
                                                       QWidget* mainWindow, ImportHandler imported) {
    configurationwindow::FileOpening opening{
        {QStringLiteral("Importer des mesures"), QStringLiteral("Répertoire"), QStringLiteral("Fichiers"),
         QStringLiteral("OUVRIR"), QStringLiteral("*.csv;*.tsv;*.txt")},
        {},
        [&messageBoxes, imported = std::move(imported)](const QString& path) {
            if (auto read = readMeasurementFile(path, messageBoxes); read && imported)
                imported(std::move(*read));
        }};
    auto* dialog = new configurationwindow::OpenDialog(messageBoxes, std::move(opening), mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace measurementwindows
