#pragma once
// A printer for tests: every document is kept, page by page, as the list of what was drawn
// on it with positions in twips, so a test checks a composition without paper. Its name is
// set by the test and its set-up dialog answered from a queue; a set-up call with nothing
// queued is recorded as a failure and answered as cancelled.
#include <QImage>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/printer.h"

namespace platform {

struct PrintOperation {
    enum class Kind { Text, Image, Line };

    Kind kind = Kind::Text;
    // The rectangle covered, in twips: a text's line box from the pen, an image's rectangle,
    // or a line from (x, y) to (x2, y2).
    double x = 0.0;
    double y = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    QString text;  // a text's one line
    QString fontName;
    double fontSize = 0.0;
    bool bold = false;
    bool italic = false;
    Colour colour;  // of a text or a line
    QImage image;
    std::optional<Drawing> drawing;  // what an image shows as lines and texts, when given
};

struct PrintedDocument {
    QString name;
    std::vector<std::vector<PrintOperation>> pages{{}};
    bool ended = false;    // endDocument() was called (false: still open, or abandoned)
    bool preview = false;  // drawn for a preview, not printed
    QString text;          // the plain text of a document given to printDocument()
};

// A page that records what is drawn into a document.
class RecordingPage final : public Page {
  public:
    RecordingPage(PrintedDocument& document, double width, double height)
        : m_document(document), m_width(width), m_height(height) {}

    double width() const override { return m_width; }
    double height() const override { return m_height; }

  protected:
    void drawText(double x, double y, const QString& line) override;
    void drawPicture(const QImage& image, double x, double y, double width, double height,
                     const Drawing* vectors) override;
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void startNewPage() override { m_document.pages.emplace_back(); }
    bool finishDocument() override;

  private:
    PrintOperation operation(PrintOperation::Kind kind) const;
    void record(PrintOperation operation) { m_document.pages.back().push_back(std::move(operation)); }

    PrintedDocument& m_document;
    double m_width;
    double m_height;
};

class RecordingPrinter : public Printer {
  public:
    // An A4 sheet less the margins a printer cannot reach, in twips.
    static constexpr double kDefaultWidth = 11000.0;
    static constexpr double kDefaultHeight = 16000.0;

    explicit RecordingPrinter(QString name = QStringLiteral("Imprimante de test"),
                              double width = kDefaultWidth, double height = kDefaultHeight)
        : m_name(std::move(name)), m_width(width), m_height(height) {}

    void setName(const QString& name) { m_name = name; }
    // The next set-up dialog is accepted (choosing `newName` when it is not empty) or cancelled.
    void queueSetupAnswer(bool accepted, const QString& newName = QString());
    // The pupil cancels the next documents (a file dialog, a printer that does not start).
    void setRefusesDocuments(bool refuses) { m_refusesDocuments = refuses; }

    // Kept in a deque so that a page still open keeps its document in place.
    const std::deque<PrintedDocument>& documents() const { return m_documents; }
    int setupCalls() const { return m_setupCalls; }
    const QStringList& failures() const { return m_failures; }
    bool hasFailures() const { return !m_failures.isEmpty(); }

    QString name() const override { return m_name; }
    bool setup(QWidget* parent) override;
    std::unique_ptr<Page> beginDocument(QWidget* parent, const QString& documentName) override;
    bool printDocument(QWidget* parent, const QTextDocument& document, const QString& documentName) override;
    void preview(QWidget* parent, const QString& documentName,
                 const std::function<void(Page& page)>& compose) override;

  private:
    struct SetupAnswer {
        bool accepted;
        QString newName;
    };

    QString m_name;
    double m_width;
    double m_height;
    bool m_refusesDocuments = false;
    std::deque<SetupAnswer> m_setupAnswers;
    std::deque<PrintedDocument> m_documents;
    int m_setupCalls = 0;
    QStringList m_failures;
};

}  // namespace platform
