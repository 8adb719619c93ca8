#include "platform/filelist.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/folders.h"

namespace platform {
namespace {

QStringList namePatterns(const QString& pattern) {
    QStringList patterns;
    for (const QString& part : pattern.split(QLatin1Char(';'))) {
        // "*.*" means every file, with or without an extension.
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
    }
    return patterns;
}

}  // namespace

FileList::FileList(QWidget* parent) : ListBox(parent) {
    setPath(QDir::currentPath());
}

QString FileList::path() const {
    return QDir::toNativeSeparators(m_path);
}

bool FileList::setPath(const QString& path) {
    const std::optional<QString> folder = readableFolder(path);
    if (!folder) return false;
    const bool changed = *folder != m_path;
    m_path = *folder;
    list();
    if (changed) emit pathChanged(this->path());
    return true;
}

void FileList::setPattern(const QString& pattern) {
    m_pattern = pattern;
    list();
}

void FileList::list() {
    QDir dir(m_path);
    // Without QDir::CaseSensitive the patterns ignore the letter case; without QDir::Hidden
    // and QDir::System, hidden files and special files are left out.
    dir.setFilter(QDir::Files);
    const QStringList patterns = namePatterns(m_pattern);
    if (!patterns.isEmpty()) dir.setNameFilters(patterns);
    QStringList names = dir.entryList();
    sortNames(names);
    clear();
    addItems(names);
    setCurrentRow(-1);
}

QString FileList::fileName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileList::selectFile(int index) {
    if (index < 0 || index >= count()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(index);
    emit fileClicked(item(index)->text());
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (!fileName().isEmpty()) emit fileEntered(fileName());
        return;
    }
    const QString before = fileName();
    ListBox::keyPressEvent(event);
    if (!fileName().isEmpty() && fileName() != before) emit fileClicked(fileName());
}

void FileList::mousePressEvent(QMouseEvent* event) {
    QListWidgetItem* hit = itemAt(event->position().toPoint());
    ListBox::mousePressEvent(event);
    if (hit != nullptr && event->button() == Qt::LeftButton && hit->isSelected())
        emit fileClicked(hit->text());
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidgetItem* hit = itemAt(event->position().toPoint());
    ListBox::mouseDoubleClickEvent(event);
    if (hit != nullptr && event->button() == Qt::LeftButton) emit fileDoubleClicked(hit->text());
}

}  // namespace platform
