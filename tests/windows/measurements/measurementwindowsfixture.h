#pragma once
// The measurement windows over a plain parent window, offscreen, in a temporary folder that is also
// the user's home (the save dialog starts there). Message boxes are answered by script.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "platform/recordingclipboard.h"
#include "platform/savelocations.h"
#include "platform/scriptedmessageboxes.h"
#include "tests/homefolder.h"
#include "testsupport.h"

class MeasurementWindowsTest : public ::testing::Test {
  protected:
    MeasurementWindowsTest() {
        m_startDirectory = QDir::currentPath();
        QDir::setCurrent(folder.path());
        saveLocations.setUserFolders(home.folders());
        parent.show();
    }
    ~MeasurementWindowsTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
        EXPECT_EQ(boxes.pendingAnswers(), 0u);
        settle();
        QDir::setCurrent(m_startDirectory);
    }

    QString path(const QString& name) const { return QDir::toNativeSeparators(folder.filePath(name)); }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The closed windows are destroyed.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static bool closed(const QPointer<QWidget>& window) {
        settle();
        return window.isNull();
    }
    template <typename T>
    static T* in(QWidget* window, const char* name) {
        T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* window, const char* name) {
        QTest::mouseClick(in<QPushButton>(window, name), Qt::LeftButton);
    }
    // The save dialog open over the parent: names the file and presses "ENREGISTRER".
    QPointer<QWidget> saveAs(const QString& name) {
        QWidget* dialog = parent.findChild<QWidget*>(QStringLiteral("enregistrer"));
        EXPECT_NE(dialog, nullptr);
        if (dialog == nullptr) return nullptr;
        in<QLineEdit>(dialog, "Text1")->setText(name);
        click(dialog, "Command1");
        return dialog;
    }

    QApplication& app = testsupport::application();
    QTemporaryDir folder;
    testing_support::HomeFolder home{folder.path()};
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::SaveLocations saveLocations{folder.filePath(QStringLiteral("data"))};
    QWidget parent;

  private:
    QString m_startDirectory;
};
