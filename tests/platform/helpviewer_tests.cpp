#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

#include "platform/helpviewer.h"

using platform::HelpViewer;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

TEST(HelpViewer, OpensOnTheContentsPageAndGoesBackAndForward) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath("index.html"),
              "<html><body><h1>Sommaire</h1><a href=\"titrage.html\">Titrage</a></body></html>");
    writeFile(dir.filePath("titrage.html"), "<html><body><h1>Le titrage</h1></body></html>");
    HelpViewer viewer(dir.path());
    ASSERT_TRUE(viewer.showContents());
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Aide de Vireltra"));
    EXPECT_FALSE(viewer.isModal());
    EXPECT_TRUE(viewer.browser()->source().path().endsWith("index.html"));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Sommaire"));

    viewer.browser()->setSource(QUrl(QStringLiteral("titrage.html")));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Le titrage"));
    auto* back = viewer.findChild<QToolButton*>(QStringLiteral("helpBack"));
    auto* forward = viewer.findChild<QToolButton*>(QStringLiteral("helpForward"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Sommaire"));
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Le titrage"));
}

TEST(HelpViewer, AFolderWithoutContentsOpensNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    HelpViewer viewer(dir.filePath("absent"));
    EXPECT_FALSE(viewer.showContents());
    EXPECT_FALSE(viewer.isVisible());
}
