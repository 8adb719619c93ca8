#pragma once
// The printer of the system through QPrinter. A machine without any printer prints into PDF
// files instead: the pupil chooses each file (in the documents folder by default), and a file
// is replaced only once the whole document was written. Failures are told to the pupil here,
// in message boxes; callers only learn that nothing went out. The system's printers are looked up
// when first needed: asking for them loads the print system, which the program's start does not need.
#include <memory>

#include "platform/printer.h"

class QPageLayout;
class QPrinter;

namespace platform {

class FileDialogs;
class MessageBoxes;
class PrintTarget;

class QtPrinter : public Printer {
  public:
    enum class Output {
        Automatic,  // the system's printers, PDF files when there is none
        PdfFile,
    };

    QtPrinter(FileDialogs& fileDialogs, MessageBoxes& messageBoxes, Output output = Output::Automatic);
    ~QtPrinter() override;

    // The name shown when documents go to PDF files.
    static QString pdfName();
    bool writesPdf() const;

    QString name() const override;
    bool setup(QWidget* parent) override;
    std::unique_ptr<Page> beginDocument(QWidget* parent, const QString& documentName) override;
    bool printDocument(QWidget* parent, const QTextDocument& document, const QString& documentName) override;
    void preview(QWidget* parent, const QString& documentName,
                 const std::function<void(Page& page)>& compose) override;

  private:
    // The printer, chosen on first use.
    QPrinter& printer() const;
    std::unique_ptr<PrintTarget> openTarget(QWidget* parent, const QString& documentName);
    std::unique_ptr<PrintTarget> openPdfFile(const QString& path, const QPageLayout& layout,
                                             const QString& documentName);

    FileDialogs& m_fileDialogs;
    MessageBoxes& m_messageBoxes;
    Output m_output;
    mutable bool m_pdf = false;
    mutable std::unique_ptr<QPrinter> m_printer;  // the chosen printer, or the paper of the PDF files
};

}  // namespace platform
