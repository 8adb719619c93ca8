#include "platform/directorylist.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "platform/folders.h"

namespace platform {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
// Deeper paths than this are not real folders (a loop of links at most).
constexpr int kMaxDepth = 256;

// Shifts each entry right by its depth, as the folders of a tree.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

  private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return index.data(kDepthRole).toInt() * option.fontMetrics.horizontalAdvance(QLatin1Char('M'));
    }
};

// The folder and each of its ancestors, root first.
QStringList ancestry(const QString& folder) {
    QStringList chain;
    QDir dir(folder);
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    return chain;
}

QString entryName(const QString& folder) {
    const QString name = QDir(folder).dirName();
    return name.isEmpty() || QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : name;
}

}  // namespace

DirectoryList::DirectoryList(QWidget* parent) : ListBox(parent) {
    setItemDelegate(new IndentDelegate(this));
    setIconSize(QSize(16, 16));
    setPath(QDir::currentPath());
}

QString DirectoryList::path() const {
    return QDir::toNativeSeparators(m_path);
}

bool DirectoryList::setPath(const QString& path) {
    const std::optional<QString> folder = readableFolder(path);
    if (!folder) return false;
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    clear();
    const QStringList chain = ancestry(*folder);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        auto* item = new QListWidgetItem(open, entryName(chain[depth]), this);
        item->setData(kPathRole, chain[depth]);
        item->setData(kDepthRole, static_cast<int>(depth));
        item->setToolTip(QDir::toNativeSeparators(chain[depth]));
    }
    QStringList children = QDir(*folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    sortNames(children);
    const QDir dir(*folder);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closed, child, this);
        item->setData(kPathRole, dir.absoluteFilePath(child));
        item->setData(kDepthRole, static_cast<int>(chain.size()));
    }
    m_pathRow = static_cast<int>(chain.size()) - 1;
    setCurrentRow(m_pathRow);
    scrollToItem(currentItem());
    const bool changed = *folder != m_path;
    m_path = *folder;
    if (changed) emit pathChanged(this->path());
    return true;
}

QString DirectoryList::entryPath(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? QDir::toNativeSeparators(entry->data(kPathRole).toString()) : QString();
}

bool DirectoryList::openSelected() {
    const int row = currentRow();
    if (row < 0) return false;
    return setPath(item(row)->data(kPathRole).toString());
}

void DirectoryList::mouseDoubleClickEvent(QMouseEvent* event) {
    // Opened once the view is done with the event: opening replaces every entry.
    QListWidgetItem* hit = itemAt(event->position().toPoint());
    ListBox::mouseDoubleClickEvent(event);
    if (hit == nullptr || event->button() != Qt::LeftButton) return;
    setCurrentItem(hit);
    openSelected();
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openSelected();
        event->accept();
        return;
    }
    ListBox::keyPressEvent(event);
}

}  // namespace platform
