#pragma once
// A window beside the main one that exists once: opening it again brings the open one forward.
#include <QString>
#include <QWidget>

namespace platform {

// The main window's child named `name` of type W raised, or a new one made by `make`, shown and
// destroyed when it closes.
template <class W, class Make>
W* showOnce(QWidget* mainWindow, const QString& name, Make make) {
    if (mainWindow) {
        if (auto* open = mainWindow->findChild<W*>(name, Qt::FindDirectChildrenOnly)) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    W* window = make();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

}  // namespace platform
