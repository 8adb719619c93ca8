#pragma once
// Message boxes shown with QMessageBox, with French button texts.
#include <QPointer>
#include <QWidget>

#include "platform/messageboxes.h"

namespace platform {

class QtMessageBoxes : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    MessageAnswer show(MessageIcon icon, const QString& text, const QString& title,
                       MessageButtons buttons) override;

  private:
    QPointer<QWidget> m_parent;
};

}  // namespace platform
