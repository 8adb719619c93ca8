#include "workbench/hintline.h"

namespace workbench {

HintLine::HintLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("info"));
}

QString HintLine::copyDoneMessage() {
    return QStringLiteral(
        "L'image est copiée : vous pouvez la retrouver depuis toute application Windows (coller)");
}

void HintLine::showHint(const QString& text) {
    m_confirming = false;
    setText(text);
}

void HintLine::confirmCopy() {
    setText(copyDoneMessage());
    m_confirming = true;
    emit copyConfirmed(text());
}

void HintLine::showCopyButtonHint(const QString& text) {
    if (!m_confirming) setText(text);
}

}  // namespace workbench
