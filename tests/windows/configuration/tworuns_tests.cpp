// A file saved by one run of the program and opened by another gives the same situations, and is
// saved again byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/configuration/filebytes.h"

namespace {

QString run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(CONFIGURATION_TWORUNS), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    // Windows' C library ends its lines with "\r\n".
    return QString::fromUtf8(process.readAllStandardOutput().replace("\r\n", "\n"));
}

}  // namespace

TEST(TwoRuns, TheSecondRunOpensTheSituationsTheFirstSaved) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("essai.C13"));
    const QString saved = run({QStringLiteral("save"), file});
    const QString copy = folder.filePath(QStringLiteral("copie.C13"));
    const QString opened = run({QStringLiteral("load"), file, copy});
    EXPECT_TRUE(saved.startsWith(QStringLiteral("Check1=1 Check2=1 current=0\n"))) << saved.toStdString();
    EXPECT_TRUE(saved.endsWith(QStringLiteral("Vireltra - ") + QDir::toNativeSeparators(file) + '\n'))
        << saved.toStdString();
    EXPECT_EQ(opened, saved);
    EXPECT_EQ(filebytes::fileBytes(copy.toStdString()), filebytes::fileBytes(file.toStdString()));
}
