#pragma once
// Acting on a modal dialog from a test: the act runs once the dialog is shown, from the
// dialog's own event loop. A dialog that never shows is a failure, after a bounded wait.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

template <typename Dialog>
void whenShown(std::function<void(Dialog*)> act, int triesLeft = 300) {
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            act(dialog);
        } else if (triesLeft > 0) {
            whenShown<Dialog>(act, triesLeft - 1);
        } else {
            ADD_FAILURE() << "no dialog was shown";
        }
    });
}
