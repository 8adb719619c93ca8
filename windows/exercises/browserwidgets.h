#pragma once
// Two drawn controls of the exercise browser: the title band `tito` and the hourglass box `Text2`.
#include <QFrame>
#include <QString>
#include <QWidget>

namespace exercisewindow {

// `tito`: a shaded band with the window's title in bold.
class TitleBand : public QWidget {
    Q_OBJECT

  public:
    explicit TitleBand(QWidget* parent = nullptr);
    void setTitle(const QString& title);
    QString title() const { return m_title; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_title;
};

// `Text2`: the duration of an exercise as a row of hourglasses. No font of this platform has an
// hourglass character, so they are drawn; what does not fit is left out.
class HourglassBox : public QFrame {
    Q_OBJECT

  public:
    explicit HourglassBox(QWidget* parent = nullptr);
    int count() const { return m_count; }
    // A count of 0 or less shows none.
    void setCount(int count);
    void clear() { setCount(0); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_count = 0;
};

}  // namespace exercisewindow
