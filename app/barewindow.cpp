// A bare Qt main window of the program's window size and nothing in it: what scripts/startup
// compares the program's start-up time and memory with.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(800, 600);  // workbench::MainWindow::kWidth x kHeight
    window.show();
    return QApplication::exec();
}
