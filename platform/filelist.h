#pragma once
// A file list box: the files of one folder whose names match a pattern ("*.C13"), whatever
// the letter case of the name, hidden files left out as the platform hides them, in the order
// a user expects. A mouse click or an arrow key selects a file and is reported as a click;
// a double click and Enter are reported too.
#include <QString>
#include "platform/listbox.h"

namespace platform {

class FileList : public ListBox {
    Q_OBJECT

  public:
    // Starts in the current directory with the pattern "*.*".
    explicit FileList(QWidget* parent = nullptr);

    // The folder, absolute, with the platform's separators.
    QString path() const;
    // Lists the folder (relative paths are taken from the current directory) with nothing
    // selected. False, with nothing changed, when it does not exist or cannot be read.
    bool setPath(const QString& path);

    QString pattern() const { return m_pattern; }
    // One or more patterns joined by ";" ("*.bmp;*.png"); an empty one lists every file.
    // Lists the folder again with nothing selected.
    void setPattern(const QString& pattern);

    // The name of the selected file, without its folder; empty when none is selected.
    QString fileName() const;
    // Selects an entry and reports it as a click; an index out of range clears the selection.
    void selectFile(int index);

  signals:
    void pathChanged(const QString& path);
    void fileClicked(const QString& name);
    void fileDoubleClicked(const QString& name);
    void fileEntered(const QString& name);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void list();

    QString m_path;  // with "/"
    QString m_pattern = QStringLiteral("*.*");
};

}  // namespace platform
