#include "platform/accessibility.h"

#include <QAccessible>
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

}  // namespace

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
