#pragma once
// The set-up dialog of PDF files, where there is no printer to choose: the paper size and its
// orientation. Qt's own page set-up dialog refuses printers that are not real ones.
#include <QDialog>
#include <QPageLayout>

class QComboBox;
class QRadioButton;

namespace platform {

class PaperDialog : public QDialog {
    Q_OBJECT

  public:
    explicit PaperDialog(const QPageLayout& layout, QWidget* parent = nullptr);

    // The layout given, with the size and orientation chosen; its margins are kept.
    QPageLayout layout() const;

  private:
    QPageLayout m_layout;
    QComboBox* m_size;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};

}  // namespace platform
