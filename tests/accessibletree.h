#pragma once
// The accessibility tree of a window as a screen reader walks it through QAccessible: the
// controls a pupil can reach (focusable, or pressed, ticked, typed into or chosen from) that have
// no name to be read by.
#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace accessibletree {

inline bool isControlRole(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::Slider:
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::Tree:
        case QAccessible::PageTab:
        case QAccessible::PageTabList:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::Link:
            return true;
        default:
            return false;
    }
}

// Lists, tables and drop-down lists are named as a whole; their items read their own text.
inline bool namesItsItems(QAccessible::Role role) {
    return role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree ||
           role == QAccessible::ComboBox;
}

inline QString describe(QAccessibleInterface* node) {
    QObject* object = node->object();
    const QString name = object ? object->objectName() : QString();
    return QStringLiteral("%1 (role %2, class %3)")
        .arg(name.isEmpty() ? QStringLiteral("?") : name)
        .arg(static_cast<int>(node->role()))
        .arg(object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("-"));
}

inline void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth) {
    // Bounded: windows here are a few levels deep.
    if (node == nullptr || depth > 30) return;
    const QAccessible::State state = node->state();
    if (state.invisible) return;
    const QAccessible::Role role = node->role();
    // Qt's own scroll bars are read by their orientation and value.
    if (role == QAccessible::ScrollBar) return;
    const bool reachable = state.focusable || isControlRole(role);
    if (reachable && node->text(QAccessible::Name).trimmed().isEmpty()) unnamed << describe(node);
    if (namesItsItems(role)) return;
    const int children = node->childCount();
    for (int i = 0; i < children && i < 500; ++i) collectUnnamed(node->child(i), unnamed, depth + 1);
}

// The reachable controls of `window` without a name, one line each.
inline QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(&window), unnamed, 0);
    return unnamed;
}

}  // namespace accessibletree
