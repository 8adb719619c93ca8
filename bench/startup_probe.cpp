// Start-up cost of the main window against a bare 800 x 600 window, on a real display (run it
// under Xvfb): vireltra_startup_probe [runs]. Each run starts this program again as a child for
// each window, alternately, and measures from the start of the child to the window painted on
// screen; the child reports its resident memory one second later. Prints the medians and the
// ratios of the main window to the bare one. Not installed.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/applicationfolder.h"
#include "app/commands.h"
#include "platform/fonts.h"
#include "platform/qtbeeper.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "workbench/mainwindow.h"

namespace {

constexpr int kChildTimeoutMs = 30000;

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Tells when the window has been painted once.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Shows the window, says "shown" once it is painted and exposed, then its memory a second later.
int runChild(const QString& role, int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    QApplication::setFont(platform::pixelFont(QStringLiteral("Arial"), 8.25));
    platform::QtMessageBoxes messageBoxes;
    platform::QtClipboard clipboard;
    platform::QtFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, messageBoxes);
    platform::QtBeeper beeper;
    RunState run;
    std::unique_ptr<QWidget> window;
    if (role == QLatin1String("main")) {
        auto main = std::make_unique<workbench::MainWindow>(
            workbench::Services{messageBoxes, clipboard, fileDialogs, printer, applicationFolder(), {}});
        messageBoxes.setParentWindow(main.get());
        connectCommands(*main, run, beeper);
        window = std::move(main);
    } else {
        window = std::make_unique<QWidget>();
        window->resize(800, 600);
    }
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    QElapsedTimer waited;
    waited.start();
    while (!(watch.painted && window->windowHandle() && window->windowHandle()->isExposed()) &&
           waited.elapsed() < kChildTimeoutMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    std::printf("shown\n");
    std::fflush(stdout);
    QTimer::singleShot(1000, [] {
        std::printf("rss %ld\n", residentKilobytes());
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}

struct Sample {
    double startMs = 0.0;
    long rssKb = 0;
};

bool measure(const QString& program, const QString& role, Sample& sample) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(program, {QStringLiteral("--child"), role});
    if (!child.waitForStarted(kChildTimeoutMs)) return false;
    QByteArray output;
    while (!output.contains("shown") && child.waitForReadyRead(kChildTimeoutMs)) output += child.readAll();
    sample.startMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (!output.contains("shown")) return false;
    child.waitForFinished(kChildTimeoutMs);
    output += child.readAll();
    const int at = output.indexOf("rss ");
    if (at < 0) return false;
    sample.rssKb = output.mid(at + 4).split('\n').value(0).trimmed().toLong();
    return sample.rssKb > 0;
}

template <typename T>
double median(std::vector<T> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? static_cast<double>(values[n / 2])
                 : (static_cast<double>(values[n / 2 - 1]) + static_cast<double>(values[n / 2])) / 2.0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 2 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLatin1(argv[2]), argc, argv);
    const int runs = std::clamp(argc > 1 ? std::atoi(argv[1]) : 9, 1, 100);
    const QString program = QString::fromLocal8Bit(argv[0]);
    std::vector<double> startBare, startMain;
    std::vector<long> rssBare, rssMain;
    for (int i = 0; i < runs; ++i) {
        Sample bare, main;
        if (!measure(program, QStringLiteral("bare"), bare) ||
            !measure(program, QStringLiteral("main"), main)) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        startBare.push_back(bare.startMs);
        startMain.push_back(main.startMs);
        rssBare.push_back(bare.rssKb);
        rssMain.push_back(main.rssKb);
    }
    const double sb = median(startBare), sm = median(startMain);
    const double rb = median(rssBare), rm = median(rssMain);
    std::printf("runs %d\n", runs);
    std::printf("start-up ms  bare %.1f  main %.1f  ratio %.2f\n", sb, sm, sm / sb);
    std::printf("resident kB  bare %.0f  main %.0f  ratio %.2f\n", rb, rm, rm / rb);
    return 0;
}
