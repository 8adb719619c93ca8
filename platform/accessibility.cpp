#include "platform/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace platform {

namespace {

void applyText(QWidget& widget, const AccessibleText& text) {
    setAccessibleName(widget, QString::fromUtf8(text.name));
    if (text.description != nullptr) setAccessibleDescription(widget, QString::fromUtf8(text.description));
}

const AccessibleText* textFor(const QString& object, std::span<const AccessibleText> texts) {
    if (object.isEmpty()) return nullptr;
    for (const AccessibleText& text : texts) {
        if (object == QLatin1String(text.object)) return &text;
    }
    return nullptr;
}

// A drop-down list as Qt's own interface presents it (the list of choices as its first child,
// the text box of an editable one as its second, the menu shown or hidden by its actions), but
// named by its accessible name. The accessibility bus of Linux has no value for a list: a screen
// reader reads the choice in the name, which the bus reports changed with each new choice.
class ListInterface : public QAccessibleWidget {
  public:
    explicit ListInterface(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        QString choice = editor() ? editor()->text() : list()->currentText();
        if (kind == QAccessible::Value) return choice;
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        const QString name = list()->accessibleName();
        if (name.isEmpty()) return choice;
#if defined(Q_OS_UNIX)
        return name + QStringLiteral(" : ") + choice;
#else
        return name;
#endif
    }
    int childCount() const override {
        return editor() ? 2 : 1;
    }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && editor()) return QAccessible::queryAccessibleInterface(editor());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        if (child->object() == list()->view()) return 0;
        if (editor() && child->object() == editor()) return 1;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return editor() ? child(1) : nullptr;
    }
    QStringList actionNames() const override {
        return {showMenuAction(), pressAction()};
    }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        if (list()->view()->isVisible()) {
            list()->hidePopup();
        } else {
            list()->showPopup();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override {
        return {};
    }

  private:
    QComboBox* list() const {
        return static_cast<QComboBox*>(widget());
    }
    QLineEdit* editor() const {
        return list()->isEditable() ? list()->lineEdit() : nullptr;
    }
};

QAccessibleInterface* listInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("QComboBox") && object != nullptr && object->isWidgetType())
        return new ListInterface(static_cast<QComboBox*>(object));
    return nullptr;
}

}  // namespace

void nameListsAfterWhatTheyChoose(QWidget* root) {
    static const bool installed = [] {
        QAccessible::installFactory(listInterface);
        return true;
    }();
    (void)installed;
    if (root == nullptr) return;
    // An interface made before the factory was installed is kept by Qt: it is made again.
    for (QComboBox* list : root->findChildren<QComboBox*>()) {
        QAccessibleInterface* made = QAccessible::queryAccessibleInterface(list);
        if (made != nullptr && dynamic_cast<ListInterface*>(made) == nullptr)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

int nameControls(QWidget& root, std::span<const AccessibleText> texts) {
    int named = 0;
    if (const AccessibleText* text = textFor(root.objectName(), texts)) {
        applyText(root, *text);
        ++named;
    }
    for (QWidget* child : root.findChildren<QWidget*>()) {
        // The windows opened over this one keep names of their own.
        if (child->window() != root.window()) continue;
        if (const AccessibleText* text = textFor(child->objectName(), texts)) {
            applyText(*child, *text);
            ++named;
        }
    }
    return named;
}

void setAccessibleName(QWidget& widget, const QString& name) {
    if (widget.accessibleName() != name) widget.setAccessibleName(name);
}

void setAccessibleDescription(QWidget& widget, const QString& description) {
    if (widget.accessibleDescription() != description) widget.setAccessibleDescription(description);
}

void StatusAnnouncer::announce(const QString& text) {
    if (!m_region || text.isEmpty()) return;
    // The same text twice in a row is still a new announcement: the name is cleared first.
    if (m_region->accessibleName() == text) m_region->setAccessibleName(QString());
    m_region->setAccessibleName(text);
    QAccessibleEvent alert(m_region.data(), QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace platform
