#include "platform/printer.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace platform {

std::unique_ptr<QTextDocument> printableText(const QTextCursor& cursor) {
    const QTextDocument* source = cursor.document();
    if (source == nullptr) return std::make_unique<QTextDocument>();
    if (!cursor.hasSelection()) return std::unique_ptr<QTextDocument>(source->clone(nullptr));
    auto selection = std::make_unique<QTextDocument>();
    selection->setDefaultFont(source->defaultFont());
    selection->setDefaultStyleSheet(source->defaultStyleSheet());
    QTextCursor(selection.get()).insertFragment(cursor.selection());
    return selection;
}

}  // namespace platform
