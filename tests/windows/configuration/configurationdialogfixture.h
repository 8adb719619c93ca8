#pragma once
// The open and save dialogs on the real main window, offscreen, in a temporary folder that is also
// the user's home: the buttons of the command bar open them, message boxes are answered by script,
// and a modal window nobody expected fails the test instead of waiting for a click that never comes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/commands.h"
#include "configuration/configurationfile.h"
#include "configurationscript.h"
#include "platform/countingbeeper.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "tests/homefolder.h"
#include "testsupport.h"
#include "windows/configuration/opendialog.h"
#include "windows/configuration/savedialog.h"
#include "workbench/mainwindow.h"

// The message boxes of the run, each call noted with the state of the dialog it came from.
class WatchedMessageBoxes : public platform::MessageBoxes {
  public:
    struct Seen {
        Qt::CursorShape cursor = Qt::ArrowCursor;
        bool loadingShown = false;
    };

    platform::MessageAnswer show(platform::MessageIcon icon, const QString& text, const QString& title,
                                 platform::MessageButtons buttons) override {
        Seen seen;
        if (auto* dialog =
                window ? window->findChild<configurationwindow::ConfigurationDialog*>() : nullptr) {
            seen.cursor = dialog->cursor().shape();
            const auto* frame = dialog->findChild<QFrame*>(QStringLiteral("Frame1"));
            seen.loadingShown = frame != nullptr && frame->isVisible();
        }
        states.push_back(seen);
        return script.show(icon, text, title, buttons);
    }

    platform::ScriptedMessageBoxes script;
    std::vector<Seen> states;
    QPointer<QWidget> window;
};

// Closes, and fails the test on, any modal window but the two dialogs: one run by exec() would
// otherwise wait for ever. It acts from whatever event loop runs.
class UnexpectedModalGuard {
  public:
    UnexpectedModalGuard() {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || qobject_cast<configurationwindow::ConfigurationDialog*>(modal) != nullptr)
                return;
            ADD_FAILURE() << "unexpected modal window " << modal->metaObject()->className() << " \""
                          << modal->windowTitle().toStdString() << '"';
            modal->close();
        });
        m_timer.start();
    }

  private:
    QTimer m_timer;
};

inline const QString& startDirectory() {
    static const QString directory = QDir::currentPath();
    return directory;
}

inline int countColour(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

class ConfigurationDialogsTest : public ::testing::Test {
  protected:
    ConfigurationDialogsTest() {
        startDirectory();
        QDir dir(folder.path());
        for (const char* sub : {"app", "travail", "autre", "travail/TP.chimie", ".local"}) dir.mkpath(sub);
        QDir::setCurrent(folder.path());
        window = std::make_unique<workbench::MainWindow>(
            workbench::Services{boxes, clipboard, fileDialogs, printer, path("app"), {}});
        window->saveLocations().setUserFolders(home.folders());
        testsupport::buildPages(*window);
        boxes.window = window.get();
        // As the program wires them.
        connectCommands(*window, run, beeper);
        window->move(60, 40);
        window->show();
    }
    ~ConfigurationDialogsTest() override {
        EXPECT_FALSE(boxes.script.hasFailures()) << boxes.script.failures().join("\n").toStdString();
        EXPECT_EQ(boxes.script.pendingAnswers(), 0u);
        window.reset();
        settle();
        QDir::setCurrent(startDirectory());
    }

    // A path in the test folder, with the platform's separators; the folder itself without one.
    QString path(const QString& relative = QString()) const {
        return QDir::toNativeSeparators(relative.isEmpty() ? folder.path() : folder.filePath(relative));
    }
    QString withFolder(const char* text) const {
        return QString::fromUtf8(text).replace(QStringLiteral("<dir>"),
                                               QDir::toNativeSeparators(folder.path()));
    }
    void writeConfiguration(const QString& relative, bool check1 = false) {
        configuration::ConfigurationFile file;
        file.superposeCurves = check1;
        ASSERT_TRUE(configuration::saveConfigurationFile(path(relative).toStdString(), file));
    }
    // The closed dialogs are destroyed.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <typename T>
    static T* in(QWidget* parent, const char* name) {
        T* found = parent ? parent->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* dialog, const char* name) {
        QTest::mouseClick(in<QPushButton>(dialog, name), Qt::LeftButton);
    }
    template <typename Dialog>
    Dialog* press(const char* command) {
        settle();
        QTest::mouseClick(in<QPushButton>(window.get(), command), Qt::LeftButton);
        auto* dialog = window->findChild<Dialog*>();
        EXPECT_TRUE(dialog != nullptr && dialog->isVisible()) << command;
        return dialog;
    }
    configurationwindow::OpenDialog* pressOpen() {
        return press<configurationwindow::OpenDialog>("Command2");
    }
    configurationwindow::SaveDialog* pressSave() {
        return press<configurationwindow::SaveDialog>("Command11");
    }
    static bool closed(const QPointer<QDialog>& dialog) {
        settle();
        return dialog.isNull();
    }
    static void doubleClick(QListWidget* list, const QString& entry) {
        const QList<QListWidgetItem*> items = list->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }

    QPointer<QDialog> save(const QString& name) {
        QPointer<QDialog> dialog = pressSave();
        in<QLineEdit>(dialog, "Text1")->setText(name);
        click(dialog, "Command1");
        return dialog;
    }
    QPointer<QDialog> load(const QString& file) {
        QPointer<QDialog> dialog = pressOpen();
        in<QLineEdit>(dialog, "ficharge")->setText(file);
        click(dialog, "Command1");
        return dialog;
    }
    QString caption() const { return window->windowTitle(); }
    QString state() { return configurationscript::describe(*window); }

    QApplication& app = testsupport::application();  // before the guard's timer
    QTemporaryDir folder;
    // The user's home, without a documents folder: the save dialog starts there.
    testing_support::HomeFolder home{folder.path()};
    WatchedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    platform::CountingBeeper beeper;
    RunState run;
    std::unique_ptr<workbench::MainWindow> window;
    UnexpectedModalGuard guard;
};
