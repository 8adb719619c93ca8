#pragma once
// The file dialogs shown with Qt's own QFileDialog, in French, whose name filters match
// whatever the letter case (native dialogs do not all do so).
#include "platform/filedialogs.h"

namespace platform {

class QtFileDialogs : public FileDialogs {
  public:
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialName) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& initialName) override;
};

}  // namespace platform
