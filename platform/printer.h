#pragma once
// The printer behind an interface: its name, its set-up dialog, documents composed page by
// page in twips, rich text laid out on the paper, and a preview of a composition. Copies are
// not the printer's business: a caller that prints several composes each one.
#include <QString>
#include <functional>
#include <memory>

#include "platform/page.h"

class QTextCursor;
class QTextDocument;
class QWidget;

namespace platform {

class Printer {
  public:
    virtual ~Printer() = default;

    // The name of the current printer, or of what stands for it, as the pupil reads it.
    virtual QString name() const = 0;
    // The printer set-up dialog: another printer, the paper, the orientation. False when it
    // was cancelled, with nothing changed.
    virtual bool setup(QWidget* parent) = 0;

    // A document to compose on, or nothing when the pupil cancelled or the printer cannot
    // start. It goes out when the page's endDocument() is called; a page destroyed before
    // that abandons the document.
    virtual std::unique_ptr<Page> beginDocument(QWidget* parent, const QString& documentName) = 0;
    // Prints the document laid out to the paper. False when cancelled or failed.
    virtual bool printDocument(QWidget* parent, const QTextDocument& document,
                               const QString& documentName) = 0;
    // Shows the pages that `compose` draws on a page it is given, before they are printed;
    // printing from the preview composes them again on the printer.
    virtual void preview(QWidget* parent, const QString& documentName,
                         const std::function<void(Page& page)>& compose) = 0;
};

// What a text box's print command prints: the selection of the cursor, or the whole document
// when nothing is selected; the document's default font comes along.
std::unique_ptr<QTextDocument> printableText(const QTextCursor& cursor);

}  // namespace platform
