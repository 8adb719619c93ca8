#include "platform/recordingprinter.h"

#include <QTextDocument>

namespace platform {

PrintOperation RecordingPage::operation(PrintOperation::Kind kind) const {
    PrintOperation op;
    op.kind = kind;
    op.fontName = fontName();
    op.fontSize = fontSize();
    op.bold = fontBold();
    op.italic = fontItalic();
    op.colour = textColour();
    return op;
}

void RecordingPage::drawText(double x, double y, const QString& line) {
    PrintOperation op = operation(PrintOperation::Kind::Text);
    op.x = x;
    op.y = y;
    op.x2 = x + textWidth(line);
    op.y2 = y + textHeight(line);
    op.text = line;
    record(std::move(op));
}

void RecordingPage::drawPicture(const QImage& image, double x, double y, double width, double height,
                                const Drawing* vectors) {
    PrintOperation op = operation(PrintOperation::Kind::Image);
    op.x = x;
    op.y = y;
    op.x2 = x + width;
    op.y2 = y + height;
    op.image = image.copy();
    if (vectors) op.drawing = *vectors;
    record(std::move(op));
}

void RecordingPage::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    PrintOperation op = operation(PrintOperation::Kind::Line);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    record(std::move(op));
}

bool RecordingPage::finishDocument() {
    m_document.ended = true;
    return true;
}

void RecordingPrinter::queueSetupAnswer(bool accepted, const QString& newName) {
    m_setupAnswers.push_back(SetupAnswer{accepted, newName});
}

bool RecordingPrinter::setup(QWidget*) {
    ++m_setupCalls;
    if (m_setupAnswers.empty()) {
        m_failures << QStringLiteral("unexpected printer set-up dialog");
        return false;
    }
    const SetupAnswer answer = m_setupAnswers.front();
    m_setupAnswers.pop_front();
    if (answer.accepted && !answer.newName.isEmpty()) m_name = answer.newName;
    return answer.accepted;
}

std::unique_ptr<Page> RecordingPrinter::beginDocument(QWidget*, const QString& documentName) {
    if (m_refusesDocuments) return nullptr;
    PrintedDocument& document = m_documents.emplace_back();
    document.name = documentName;
    return std::make_unique<RecordingPage>(document, m_width, m_height);
}

bool RecordingPrinter::printDocument(QWidget*, const QTextDocument& text, const QString& documentName) {
    if (m_refusesDocuments) return false;
    PrintedDocument& document = m_documents.emplace_back();
    document.name = documentName;
    document.text = text.toPlainText();
    document.ended = true;
    return true;
}

void RecordingPrinter::preview(QWidget*, const QString& documentName,
                               const std::function<void(Page& page)>& compose) {
    PrintedDocument& document = m_documents.emplace_back();
    document.name = documentName;
    document.preview = true;
    RecordingPage page(document, m_width, m_height);
    compose(page);
    if (!page.ended()) page.endDocument();
}

}  // namespace platform
