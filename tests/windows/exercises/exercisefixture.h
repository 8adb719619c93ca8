#pragma once
// The real main window offscreen with scripted services and the exercise menu, over a data
// folder of exercises that each test writes. A modal window that a test did not announce is a
// failure, and is closed rather than left to hang the test.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "exercises/exercisefile.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "tests/homefolder.h"
#include "testsupport.h"
#include "windows/exercises/exercisebrowser.h"
#include "windows/exercises/exercisemenu.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"

class QAction;
namespace platform {
class RichTextBox;
}

class ExerciseWindowTest : public ::testing::Test {
  protected:
    explicit ExerciseWindowTest(const QString& applicationFolder = QString());
    ~ExerciseWindowTest() override;

    // A path in the data folder; one in the pupil's home folder.
    QString path(const QString& relative) const;
    QString inHome(const QString& relative) const;
    // An RTF text of one paragraph; a configuration with this beaker concentration; an index.
    void writeText(const QString& relative, const std::string& paragraph);
    void writeConfiguration(const QString& relative, const std::string& beakerConcentration);
    void writeIndex(const QString& relative, const exercises::ExerciseFile& exercise);
    // "exercises/<name>.E36" with every file it names (statement "Énoncé <name>", correction
    // "Corrigé <name>", configurations with 0,02 and 0,03): `tweak` changes the records first.
    QString makeExercise(const QString& name,
                         const std::function<void(exercises::ExerciseFile&)>& tweak = {});

    // What the exercise windows are given, as the program gives it.
    exercisewindow::ExerciseContext context();
    workbench::ExerciseSession& session();
    platform::RichTextBox& textArea();
    QString shownText();
    QAction* command(const char* name);
    // Runs `act` on the modal window of this type once it shows (it is expected, then).
    template <typename Dialog>
    void whenShown(std::function<void(Dialog*)> act, int triesLeft = 200) {
        m_modalExpected = true;
        QTimer::singleShot(10, [this, act, triesLeft] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                act(dialog);
                m_modalExpected = false;
            } else if (triesLeft > 0) {
                whenShown<Dialog>(act, triesLeft - 1);
            } else {
                ADD_FAILURE() << "the expected window was not shown";
            }
        });
    }
    // The message boxes shown so far, as "title: text".
    QStringList messages() const;

    QApplication& app;
    QTemporaryDir data;
    // The user's home, with an empty documents folder.
    QTemporaryDir home;
    testing_support::HomeFolder movedHome{home.path()};
    QString folder;  // the data folder, with its "/"
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs dialogs;
    platform::RecordingPrinter printer;
    std::unique_ptr<workbench::MainWindow> window;
    exercisewindow::ExerciseMenu* menu = nullptr;

  private:
    QTimer m_watchdog;
    bool m_modalExpected = false;
    QString m_workingFolder;
};
