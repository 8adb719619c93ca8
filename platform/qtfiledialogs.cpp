#include "platform/qtfiledialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace platform {
namespace {

// The folder's files with their sizes and dates in the program's locale: Qt's file list writes
// them in the system's, which may be C ("1.50 KiB", "9 Dec 2026").
class FileDetails : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr) return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == kSizeColumn && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        if (index.column() == kDateColumn)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }

  private:
    // The columns of Qt's file list: name, size, type, date modified.
    static constexpr int kSizeColumn = 1;
    static constexpr int kDateColumn = 3;
};

bool isPattern(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// Folder and name to start with; the name is empty when `initialName` is a pattern.
std::pair<QString, QString> startingPoint(const QString& initialName) {
    const QString path = QDir::fromNativeSeparators(initialName.trimmed());
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder =
        slash < 0 ? QDir::currentPath() : QFileInfo(path.left(slash + 1)).absoluteFilePath();
    const QString name = path.mid(slash + 1);
    return {folder, isPattern(name) ? QString() : name};
}

std::optional<QString> run(QFileDialog& dialog, const QString& title, const QString& filter,
                           const QString& initialName) {
    dialog.setWindowTitle(title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new FileDetails(&dialog));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Dossier :"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Type de fichier :"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    const QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    const auto [folder, name] = startingPoint(initialName);
    dialog.setDirectory(folder);
    if (!name.isEmpty()) dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen.first());
}

}  // namespace

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
            if (!pattern.trimmed().isEmpty()) patterns << pattern.trimmed();
        }
        if (patterns.isEmpty()) continue;
        filters << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                                               const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Ouvrir"));
    return run(dialog, title, filter, initialName);
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                               const QString& defaultSuffix, const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(defaultSuffix.startsWith(QLatin1Char('.')) ? defaultSuffix.mid(1)
                                                                       : defaultSuffix);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Enregistrer"));
    return run(dialog, title, filter, initialName);
}

}  // namespace platform
