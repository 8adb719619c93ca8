// Writes the graph and the illustration after "Trace rapide" and the derivative curve into a
// folder, as the window draws them on its screen: the zoom tests run it with QT_SCALE_FACTOR=2
// and compare with their own window zoomed to 200 %.
#include <QDir>
#include <QToolButton>

#include "state/actions.h"
#include "testsupport.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    testsupport::ScriptedWindow scripted;
    scripted.window->show();
    workbench::BenchController& bench = scripted.window->workbench();
    bench.perform(state::quickTrace);
    scripted.window->findChild<QToolButton*>(QStringLiteral("Image5"))->click();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool saved = bench.graph().image().save(folder.filePath(QStringLiteral("graph.png"))) &&
                       bench.apparatus().image().save(folder.filePath(QStringLiteral("illustration.png")));
    return saved ? 0 : 1;
}
