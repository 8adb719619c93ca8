#pragma once
// A directory list box: the folders from the root down to the chosen one, indented, then the
// sub-folders of the chosen one (hidden folders left out, as the platform hides them).
// Clicks and arrow keys only move the selection; a double click or Enter opens the selected
// folder.
#include <QString>
#include "platform/listbox.h"

namespace platform {

class DirectoryList : public ListBox {
    Q_OBJECT

  public:
    // Starts in the current directory.
    explicit DirectoryList(QWidget* parent = nullptr);

    // The chosen folder, absolute, with the platform's separators.
    QString path() const;
    // Shows the folder (a relative path is taken from the current directory) and reads its
    // sub-folders again. False, with nothing changed, when the folder does not exist or
    // cannot be read.
    bool setPath(const QString& path);

    // The folder an entry stands for, with the platform's separators; empty out of range.
    QString entryPath(int row) const;
    // The entry of the chosen folder itself.
    int pathRow() const { return m_pathRow; }
    // Opens the selected entry, as a double click or Enter does; false when it cannot be read.
    bool openSelected();

  signals:
    void pathChanged(const QString& path);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QString m_path;  // with "/"
    int m_pathRow = -1;
};

}  // namespace platform
