#pragma once
// A small non-modal window that shows the HTML help pages of a folder, opened on the
// contents page, with back and forward.
#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace platform {

class HelpViewer : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kContentsPage = "index.html";

    explicit HelpViewer(const QString& folder, QWidget* parent = nullptr);

    // Opens the contents page and brings the window to the front; false, with the window
    // left as it was, when the folder has no contents page.
    bool showContents();

    QString folder() const { return m_folder; }
    QTextBrowser* browser() const { return m_browser; }

  private:
    QString m_folder;
    QTextBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_home;
};

}  // namespace platform
