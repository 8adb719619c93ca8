#include "windows/printing/printdialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <memory>

#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "platform/surface.h"
#include "workbench/optionspage.h"

namespace printingwindow {

namespace {

constexpr QSize kWindow{364, 246};
constexpr QRect kFrame{8, 6, 244, 200};
constexpr QRect kDefaut{8, 214, 244, 22};
constexpr int kButtonLeft = 262;
constexpr QSize kButton{94, 28};
constexpr int kButtonStep = 34;

// What Frame2 shows while the pages go out: a printer with a sheet coming out of it, at the
// screen's resolution.
QImage printingPicture(double ratio) {
    using platform::Colour;
    platform::Surface s(64, 48);
    s.setDevicePixelRatio(ratio);
    s.setBackColour(Colour{240, 240, 240});
    s.filledRectangle(18, 2, 45, 20, platform::kWhite, platform::kBlack);
    s.filledRectangle(4, 18, 59, 38, Colour{192, 192, 192}, platform::kBlack);
    s.filledRectangle(14, 30, 49, 46, platform::kWhite, platform::kBlack);
    for (int y = 34; y <= 42; y += 4) s.line(18, y, 45, y, Colour{0, 0, 200});
    s.filledCircle(52, 23, 2, Colour{0, 200, 0});
    return s.image().copy();
}

}  // namespace

PrintDialog::PrintDialog(workbench::PrintSources& sources, platform::Printer& printer,
                         platform::MessageBoxes& messageBoxes, QWidget* mainWindow)
    : QDialog(mainWindow),
      m_sources(sources),
      m_printer(printer),
      m_messageBoxes(messageBoxes),
      m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setFixedSize(kWindow);

    m_options = buildOptions();
    m_printingPanel = buildPrintingFrame();

    m_printerName = new QLineEdit(this);
    m_printerName->setObjectName(QStringLiteral("defaut"));
    m_printerName->setGeometry(kDefaut);
    m_printerName->setReadOnly(true);
    m_printerName->setToolTip(QStringLiteral("Imprimante utilisée"));
    m_printerName->setAccessibleName(QStringLiteral("Imprimante utilisée"));

    QPushButton* ok = addButton("Command1", QStringLiteral("&OK"), 0, &PrintDialog::print);
    addButton("Command2", QStringLiteral("&Imprimantes"), 1, &PrintDialog::choosePrinter);
    addButton("Command4", QStringLiteral("&Aperçu"), 2, &PrintDialog::preview);
    addButton("Command3", QStringLiteral("&Annuler"), 3, &PrintDialog::cancel);
    ok->setDefault(true);

    placeAndShowPrinter();
}

QString PrintDialog::defaultTitle() {
    return QStringLiteral("Solvane - Vireltra");
}

QGroupBox* PrintDialog::buildOptions() {
    auto* frame = new QGroupBox(QStringLiteral("Options"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(kFrame);
    const auto check = [frame](int index, const QString& caption, int top) {
        auto* box = new QCheckBox(caption, frame);
        box->setObjectName(QStringLiteral("Chec(%1)").arg(index));
        box->setGeometry(16, top, 210, 20);
        return box;
    };
    m_illustration = check(0, QStringLiteral("L'illustration"), 22);
    m_graph = check(1, QStringLiteral("Le graphe"), 44);
    m_table = check(3, QStringLiteral("Le tableau de valeurs"), 66);

    auto* label5 = new QLabel(QStringLiteral("Titre de la page :"), frame);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(16, 98, 210, 18);
    m_title = new QLineEdit(defaultTitle(), frame);
    m_title->setObjectName(QStringLiteral("Text1"));
    m_title->setGeometry(16, 116, 212, 22);
    label5->setBuddy(m_title);

    auto* label3 = new QLabel(QStringLiteral("Nombre d'exemplaires :"), frame);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(16, 156, 140, 20);
    m_copiesLabel = new QLabel(frame);
    m_copiesLabel->setObjectName(QStringLiteral("Label4"));
    m_copiesLabel->setGeometry(158, 156, 28, 20);
    m_copiesLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_copies = new workbench::UpDown(QStringLiteral("UpDown1"), frame);
    m_copies->setRange(1, Printout::kMaxCopies);
    m_copies->move(190, 155);
    connect(m_copies, &workbench::UpDown::valueChanged, this, &PrintDialog::showCopies);
    showCopies(m_copies->value());
    return frame;
}

QGroupBox* PrintDialog::buildPrintingFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(kFrame);
    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap::fromImage(printingPicture(devicePixelRatioF())));
    picture->setGeometry((kFrame.width() - 64) / 2, 50, 64, 48);
    auto* text = new QLabel(QStringLiteral("Impression en cours..."), frame);
    text->setAlignment(Qt::AlignCenter);
    text->setGeometry(0, 110, kFrame.width(), 20);
    frame->hide();
    return frame;
}

QPushButton* PrintDialog::addButton(const char* name, const QString& caption, int row,
                                    void (PrintDialog::*handler)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(QRect(QPoint(kButtonLeft, 12 + row * kButtonStep), kButton));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    m_buttons << button;
    return button;
}

void PrintDialog::placeAndShowPrinter() {
    // 20 px below the main window's top edge, centred across it.
    if (m_mainWindow != nullptr) {
        const QRect main = m_mainWindow->frameGeometry();
        move(main.left() + (main.width() - frameGeometry().width()) / 2, main.top() + 20);
    }
    m_printerName->setText(m_printer.name());
    m_printerName->setCursorPosition(0);
}

PrintChoices PrintDialog::choices() const {
    PrintChoices c;
    c.illustration = m_illustration->isChecked();
    c.graph = m_graph->isChecked();
    c.table = m_table->isChecked();
    c.title = m_title->text();
    c.copies = m_copies->value();
    return c;
}

void PrintDialog::showCopies(int count) {
    m_copiesLabel->setText(QString::number(count));
}

bool PrintDialog::checkChoice() {
    if (choices().anyPicture()) return true;
    m_messageBoxes.show(platform::MessageIcon::Stop,
                        QStringLiteral("Il faut choisir au moins une illustration à imprimer"),
                        QStringLiteral("Erreur sélection"), platform::MessageButtons::Ok);
    return false;
}

platform::TwipsPerPixel PrintDialog::twipsPerPixel() const {
    const QWidget* placed = m_mainWindow != nullptr ? m_mainWindow : this;
    const QScreen* screen = placed->screen() ? placed->screen() : QGuiApplication::primaryScreen();
    return platform::screenTwipsPerPixel(screen);
}

void PrintDialog::showPrinting(bool printing) {
    for (QPushButton* button : m_buttons) button->setEnabled(!printing);
    m_options->setVisible(!printing);
    m_printingPanel->setVisible(printing);
    repaint();
}

void PrintDialog::print() {
    if (!checkChoice()) return;
    const PrintChoices c = choices();
    // The printer, or the PDF file the pupil names, first: cancelling it keeps the window.
    std::unique_ptr<platform::Page> page = m_printer.beginDocument(this, c.title);
    if (!page) return;
    showPrinting(true);
    Printout(m_sources, twipsPerPixel()).compose(*page, c);
    accept();
}

void PrintDialog::choosePrinter() {
    m_printer.setup(this);
    m_printerName->setText(m_printer.name());
    m_printerName->setCursorPosition(0);
}

void PrintDialog::cancel() {
    reject();
}

void PrintDialog::preview() {
    if (!checkChoice()) return;
    const PrintChoices c = choices();
    Printout printout(m_sources, twipsPerPixel());
    m_printer.preview(this, c.title, [&printout, &c](platform::Page& page) { printout.compose(page, c); });
}

void openPrintDialog(workbench::PrintSources& sources, platform::Printer& printer,
                     platform::MessageBoxes& messageBoxes, QWidget* mainWindow) {
    auto* dialog = new PrintDialog(sources, printer, messageBoxes, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->exec();
}

}  // namespace printingwindow
