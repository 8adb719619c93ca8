// The bench zoomed for a projector: the window 800 x 600 times the zoom, every picture drawn at
// the new resolution (at 200 % as on a screen scaled twice), the same read-outs at every zoom, the
// keys and the options page's choice, the windows opened meanwhile, and the fitting zoom.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "platform/screenzoom.h"
#include "platform/surfaceview.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/measurementtable.h"
#include "workbench/tabstrip.h"
#include "workbench/windowzoom.h"

using namespace workbench;

namespace {

// Any block of device pixels of one logical pixel that is not of one colour: drawn at the
// device resolution, not enlarged.
bool hasDeviceDetail(const QImage& image, double ratio) {
    const int step = static_cast<int>(ratio);
    for (int y = 0; y + step <= image.height(); y += step) {
        for (int x = 0; x + step <= image.width(); x += step) {
            const QRgb p = image.pixel(x, y);
            for (int dy = 0; dy < step; ++dy) {
                for (int dx = 0; dx < step; ++dx) {
                    if (image.pixel(x + dx, y + dy) != p) return true;
                }
            }
        }
    }
    return false;
}

class ZoomTest : public testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ZoomTest() {
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->findChild<QPushButton*>(QStringLiteral("Command2"))->setFocus();
    }
    ~ZoomTest() override {
        window->zoom().setPercent(100);
        EXPECT_FALSE(boxes.hasFailures());
    }
    BenchController& bench() { return window->workbench(); }
    QComboBox& choice() { return *window->findChild<QComboBox*>(QStringLiteral("optzoom")); }
    void press(QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    // What the graph says under the pointer at a point of its own.
    std::pair<QString, QString> readOut(QPoint at) {
        auto& graph = *window->findChild<platform::SurfaceView*>(QStringLiteral("Picture1"));
        window->findChild<TabStrip*>()->selectTab(2);
        // The pointer as a device pixel inside that logical pixel gives it.
        const QPointF inside(at.x() + 0.4, at.y() + 0.4);
        QMouseEvent move(QEvent::MouseMove, inside, graph.mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&graph, &move);
        return {window->hint(), graph.hoverText()};
    }
};

TEST(WindowZoomSteps, ChoicesAreTheStepsAndTheFittingZoomInOrder) {
    EXPECT_EQ(fittingZoom(QSize(1920, 1040), QSize(0, 30), 100), 168) << "a 1080 p screen and its task bar";
    EXPECT_EQ(fittingZoom(QSize(960, 520), QSize(0, 15), 200), 168) << "the same, measured at 200 %";
    EXPECT_EQ(fittingZoom(QSize(1024, 600), QSize(0, 0), 100), 100) << "never below 100 %";
    EXPECT_EQ(fittingZoom(QSize(7680, 4320), QSize(0, 0), 100), kLargestZoom);
    EXPECT_EQ(zoomChoices(168), (std::vector<int>{100, 125, 150, 168, 175, 200}));
    EXPECT_EQ(zoomChoices(150), (std::vector<int>{100, 125, 150, 175, 200}));
    EXPECT_EQ(nextZoom(150, 168, true), 168);
    EXPECT_EQ(nextZoom(168, 168, true), 175);
    EXPECT_EQ(nextZoom(200, 168, true), 200);
    EXPECT_EQ(nextZoom(175, 168, false), 168);
    EXPECT_EQ(nextZoom(100, 168, false), 100);
    EXPECT_EQ(nextZoom(220, 250, false), 200) << "from the fit of another screen";
}

TEST(WindowZoomPlacement, CentresTheZoomedWindowAndKeepsItsTopLeftOnTheScreen) {
    // A 1920 x 1080 screen, measured at the zoom.
    EXPECT_EQ(windowPlacement(QRect(0, 0, 1536, 864), QSize(0, 0), 1.25), QRect(368, 132, 800, 600));
    EXPECT_EQ(windowPlacement(QRect(0, 0, 960, 540), QSize(4, 15), 2.0), QRect(78, 0, 804, 615));
    EXPECT_EQ(windowPlacement(QRect(0, 0, 640, 480), QSize(0, 0), 2.0), QRect(0, 0, 800, 600))
        << "a screen of 1280 px is wider than 850 px";
    EXPECT_FALSE(windowPlacement(QRect(0, 0, 400, 300), QSize(0, 0), 2.0).has_value());
}

TEST_F(ZoomTest, TheWindowGrowsWithEveryPictureDrawnAtTheNewResolution) {
    ASSERT_TRUE(platform::canZoom());
    for (const int percent : {125, 150, 200}) {
        SCOPED_TRACE(percent);
        window->zoom().setPercent(percent);
        const double ratio = percent / 100.0;
        EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), ratio);
        EXPECT_EQ(window->size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
        EXPECT_EQ(window->grab().size(), QSize(8 * percent, 6 * percent));
        EXPECT_EQ(window->background().size(), QSize(8 * percent, 6 * percent));
        for (platform::SurfaceView* view : window->findChildren<platform::SurfaceView*>()) {
            const platform::Surface& s = view->surface();
            EXPECT_DOUBLE_EQ(s.devicePixelRatio(), ratio) << view->objectName().toStdString();
        }
        for (const char* name : {"picburette", "Picture1", "Frame2", "Picture3", "Onglets"}) {
            const auto* view = window->findChild<platform::SurfaceView*>(QString::fromLatin1(name));
            if (percent == 200) {
                EXPECT_TRUE(hasDeviceDetail(view->surface().image(), 2)) << name;
            }
        }
        auto* table = window->findChild<MeasurementTable*>(QStringLiteral("Picture5"));
        EXPECT_DOUBLE_EQ(table->headerPicture(0).devicePixelRatio(), ratio);
    }
}

TEST_F(ZoomTest, AtTwiceTheSizeThePicturesAreThoseOfAScreenScaledTwice) {
    bench().perform(state::quickTrace);
    window->findChild<QToolButton*>(QStringLiteral("Image5"))->click();
    window->zoom().setPercent(200);
    QTemporaryDir scaled;
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    writer.setProcessEnvironment(environment);
    writer.start(QStringLiteral(SCALED_PICTURES), {scaled.path()});
    ASSERT_TRUE(writer.waitForFinished(120000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    const auto same = [&scaled](const QImage& zoomed, const char* file) {
        const QImage expected(scaled.filePath(QString::fromLatin1(file)));
        EXPECT_EQ(zoomed.size(), expected.size()) << file;
        EXPECT_EQ(zoomed.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32))
            << file;
    };
    same(bench().graph().image(), "graph.png");
    same(bench().apparatus().image(), "illustration.png");
}

TEST_F(ZoomTest, ThePointerReadsTheSameValuesAtEveryZoom) {
    const auto atHundred = readOut({180, 90});
    ASSERT_EQ(atHundred.second, QStringLiteral("V = 10,0 mL ; pH = 10,0"));
    for (const int percent : {125, 175, 200}) {
        window->zoom().setPercent(percent);
        EXPECT_EQ(readOut({180, 90}), atHundred) << percent;
    }
}

TEST_F(ZoomTest, KeysAndTheOptionsPageStepTheZoomAndWindowsOpenAtIt) {
    const std::vector<int> choices = zoomChoices(window->zoom().fittingPercent());
    press(Qt::CTRL | Qt::Key_Plus);
    EXPECT_EQ(window->zoom().percent(), choices[1]);
    EXPECT_EQ(choice().currentText(), QString::fromUtf8("125 %"));
    press(Qt::CTRL | Qt::Key_Plus);
    press(Qt::CTRL | Qt::Key_Minus);
    EXPECT_EQ(window->zoom().percent(), choices[1]);
    press(Qt::CTRL | Qt::Key_0);
    EXPECT_EQ(window->zoom().percent(), 100);
    choice().setCurrentIndex(2);
    emit choice().activated(2);
    EXPECT_EQ(window->zoom().percent(), 150);
    // A dialog opened over the window, as the program's dialogs are.
    QDialog dialog(window.get());
    dialog.show();
    EXPECT_DOUBLE_EQ(dialog.devicePixelRatioF(), 1.5);
    dialog.close();
    choice().setCurrentIndex(choice().count() - 1);
    emit choice().activated(choice().count() - 1);
    EXPECT_EQ(window->zoom().percent(), window->zoom().fittingPercent());
    EXPECT_EQ(choice().currentText(), QString::fromUtf8("Ajuster à l'écran"));
}

}  // namespace
