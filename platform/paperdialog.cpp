#include "platform/paperdialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace platform {
namespace {

constexpr std::array kSizes{QPageSize::A4, QPageSize::A5, QPageSize::A3, QPageSize::Letter, QPageSize::Legal};

}  // namespace

PaperDialog::PaperDialog(const QPageLayout& layout, QWidget* parent)
    : QDialog(parent),
      m_layout(layout),
      m_size(new QComboBox(this)),
      m_portrait(new QRadioButton(QStringLiteral("&Portrait"), this)),
      m_landscape(new QRadioButton(QStringLiteral("P&aysage"), this)) {
    setWindowTitle(QStringLiteral("Configuration de l'impression"));
    m_size->setObjectName(QStringLiteral("size"));
    m_portrait->setObjectName(QStringLiteral("portrait"));
    m_landscape->setObjectName(QStringLiteral("landscape"));
    for (const QPageSize::PageSizeId id : kSizes) {
        m_size->addItem(QPageSize::name(id), static_cast<int>(id));
        if (layout.pageSize().id() == id) m_size->setCurrentIndex(m_size->count() - 1);
    }
    (layout.orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);

    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Format du papier :"), m_size);
    form->addRow(QStringLiteral("Orientation :"), orientation);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addWidget(buttons);
}

QPageLayout PaperDialog::layout() const {
    QPageLayout chosen = m_layout;
    chosen.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(m_size->currentData().toInt())));
    chosen.setOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    return chosen;
}

}  // namespace platform
