#include "platform/qtprinter.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>

#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/painterpage.h"
#include "platform/paperdialog.h"

namespace platform {
namespace {

const QString kErrorTitle = QStringLiteral("Erreur d'impression");
const QString kPdfDialogTitle = QStringLiteral("Imprimer dans un fichier PDF");
constexpr int kPdfResolution = 1200;  // dots per inch; fine enough for lines, small for the file

// A printer the page paints on; aborting it cancels the job.
class PrinterTarget : public PrintTarget {
  public:
    PrinterTarget(QPrinter& printer, MessageBoxes* messageBoxes)
        : m_printer(printer), m_messageBoxes(messageBoxes) {}

    QPagedPaintDevice& device() override { return m_printer; }
    bool finish(bool complete) override {
        const bool sent = complete && m_printer.printerState() != QPrinter::Error;
        if (!sent && m_messageBoxes != nullptr) {
            m_messageBoxes->show(
                MessageIcon::Stop,
                QStringLiteral("L'impression sur « %1 » a échoué.").arg(m_printer.printerName()), kErrorTitle,
                MessageButtons::Ok);
        }
        return sent;
    }
    void abandon() override { m_printer.abort(); }

  private:
    QPrinter& m_printer;
    MessageBoxes* m_messageBoxes;  // none for the preview's own printer
};

// A PDF written into a temporary file that replaces the target only when complete.
class PdfFileTarget : public PrintTarget {
  public:
    PdfFileTarget(const QString& path, MessageBoxes& messageBoxes)
        : m_file(path), m_messageBoxes(messageBoxes) {}

    bool open(const QPageLayout& layout, const QString& title) {
        if (!m_file.open(QIODevice::WriteOnly)) return false;
        m_writer = std::make_unique<QPdfWriter>(&m_file);
        m_writer->setResolution(kPdfResolution);
        m_writer->setPageLayout(layout);
        m_writer->setTitle(title);
        m_writer->setCreator(QStringLiteral("Vireltra"));
        return true;
    }
    void reportFailure() {
        m_messageBoxes.show(MessageIcon::Stop,
                            QStringLiteral("Impossible d'écrire le fichier %1.")
                                .arg(QDir::toNativeSeparators(m_file.fileName())),
                            kErrorTitle, MessageButtons::Ok);
    }

    QPagedPaintDevice& device() override { return *m_writer; }
    bool finish(bool complete) override {
        if (complete && m_file.commit()) return true;
        m_file.cancelWriting();
        reportFailure();
        return false;
    }
    void abandon() override { m_file.cancelWriting(); }

  private:
    QSaveFile m_file;
    MessageBoxes& m_messageBoxes;
    std::unique_ptr<QPdfWriter> m_writer;
};

// The document's name as a file name of its own.
QString pdfFileName(const QString& documentName) {
    QString name = documentName.trimmed();
    for (const QChar forbidden : QStringLiteral("/\\:*?\"<>|")) name.replace(forbidden, QLatin1Char('_'));
    if (name.isEmpty()) name = QStringLiteral("Impression");
    return name + QStringLiteral(".pdf");
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void composeOn(std::unique_ptr<PrintTarget> target, const std::function<void(Page&)>& compose) {
    PainterPage page(std::move(target));
    if (!page.isActive()) return;
    compose(page);
    if (!page.ended()) page.endDocument();
}

}  // namespace

QtPrinter::QtPrinter(FileDialogs& fileDialogs, MessageBoxes& messageBoxes, Output output)
    : m_fileDialogs(fileDialogs), m_messageBoxes(messageBoxes), m_output(output) {}

QPrinter& QtPrinter::printer() const {
    if (m_printer) return *m_printer;
    const QStringList printers =
        m_output == Output::PdfFile ? QStringList() : QPrinterInfo::availablePrinterNames();
    m_pdf = printers.isEmpty();
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_pdf && m_printer->printerName().isEmpty()) m_printer->setPrinterName(printers.first());
    if (m_pdf) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(10.0, 10.0, 10.0, 10.0), QPageLayout::Millimeter));
    }
    return *m_printer;
}

bool QtPrinter::writesPdf() const {
    printer();
    return m_pdf;
}

QtPrinter::~QtPrinter() = default;

QString QtPrinter::pdfName() {
    return QStringLiteral("Fichier PDF (aucune imprimante)");
}

QString QtPrinter::name() const {
    return writesPdf() ? pdfName() : printer().printerName();
}

bool QtPrinter::setup(QWidget* parent) {
    if (writesPdf()) {
        // No printer to choose: the paper and orientation of the PDF files.
        PaperDialog dialog(printer().pageLayout(), parent);
        if (dialog.exec() != QDialog::Accepted) return false;
        printer().setPageLayout(dialog.layout());
        return true;
    }
    QPrintDialog dialog(&printer(), parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    // The set-up form: a printer and its paper, not a range, copies or a file.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    printer().setCopyCount(1);
    printer().setPrintRange(QPrinter::AllPages);
    return accepted;
}

std::unique_ptr<PrintTarget> QtPrinter::openPdfFile(const QString& path, const QPageLayout& layout,
                                                    const QString& documentName) {
    auto target = std::make_unique<PdfFileTarget>(path, m_messageBoxes);
    if (!target->open(layout, documentName)) {
        target->reportFailure();
        return nullptr;
    }
    return target;
}

std::unique_ptr<PrintTarget> QtPrinter::openTarget(QWidget* parent, const QString& documentName) {
    if (!writesPdf()) {
        printer().setDocName(documentName);
        printer().setCopyCount(1);
        return std::make_unique<PrinterTarget>(printer(), &m_messageBoxes);
    }
    const std::optional<QString> path = m_fileDialogs.saveFile(
        parent, kPdfDialogTitle, QStringLiteral("Document PDF|*.pdf"), QStringLiteral("pdf"),
        QDir::toNativeSeparators(QDir(documentsFolder()).filePath(pdfFileName(documentName))));
    if (!path || path->trimmed().isEmpty()) return nullptr;
    if (QFileInfo::exists(*path)) {
        const MessageAnswer answer = m_messageBoxes.show(
            MessageIcon::Question, QStringLiteral("Le fichier %1 existe déjà.\r\nLe remplacer ?").arg(*path),
            kPdfDialogTitle, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) return nullptr;
    }
    return openPdfFile(*path, printer().pageLayout(), documentName);
}

std::unique_ptr<Page> QtPrinter::beginDocument(QWidget* parent, const QString& documentName) {
    std::unique_ptr<PrintTarget> target = openTarget(parent, documentName);
    if (!target) return nullptr;
    auto page = std::make_unique<PainterPage>(std::move(target));
    if (!page->isActive()) {
        page->endDocument();  // tells why
        return nullptr;
    }
    return page;
}

bool QtPrinter::printDocument(QWidget* parent, const QTextDocument& document, const QString& documentName) {
    std::unique_ptr<PrintTarget> target = openTarget(parent, documentName);
    if (!target) return false;
    document.print(&target->device());
    return target->finish(true);
}

void QtPrinter::preview(QWidget* parent, const QString& documentName,
                        const std::function<void(Page& page)>& compose) {
    // A printer of its own, so that what the preview's print dialog changes stays there.
    QPrinter ownPrinter(QPrinter::HighResolution);
    if (writesPdf()) {
        ownPrinter.setOutputFormat(QPrinter::PdfFormat);
    } else {
        ownPrinter.setPrinterName(printer().printerName());
    }
    ownPrinter.setPageLayout(printer().pageLayout());
    ownPrinter.setDocName(documentName);
    QPrintPreviewDialog dialog(&ownPrinter, parent);
    dialog.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        // Printed into a file from the preview: written whole or not at all, like any PDF.
        if (target->outputFormat() == QPrinter::PdfFormat && !target->outputFileName().isEmpty()) {
            std::unique_ptr<PrintTarget> file =
                openPdfFile(target->outputFileName(), target->pageLayout(), documentName);
            target->setOutputFileName(QString());
            if (file) composeOn(std::move(file), compose);
            return;
        }
        composeOn(std::make_unique<PrinterTarget>(*target, nullptr), compose);
    });
    dialog.exec();
}

}  // namespace platform
