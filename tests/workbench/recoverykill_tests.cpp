// A program killed in the middle of work (SIGKILL: no handler runs, nothing is flushed) gives it
// back whole at the next start, once the pupil answers "Restaurer".
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

TEST(KilledProgram, ItsWorkIsShownAgainExactlyWhenTheNextStartRestoresIt) {
    QTemporaryDir folder;
    QProcess work;
    work.start(QStringLiteral(RECOVERY_KILL_PROGRAM), {QStringLiteral("work"), folder.path()});
    QByteArray output;
    const QByteArray ready = QByteArrayLiteral("\nprêt\n");
    // Windows' C library ends its lines with "\r\n", which a read may cut in two.
    const auto lines = [](QByteArray raw) { return raw.replace("\r\n", "\n"); };
    QByteArray raw;
    while (!lines(raw).contains(ready) && work.waitForReadyRead(60000)) raw += work.readAllStandardOutput();
    output = lines(raw);
    ASSERT_TRUE(output.contains(ready)) << work.readAllStandardError().toStdString();
    work.kill();
    ASSERT_TRUE(work.waitForFinished(10000));
    EXPECT_EQ(work.exitStatus(), QProcess::CrashExit);
    const QString before = QString::fromUtf8(output.left(output.indexOf(ready)));
    ASSERT_TRUE(before.contains(QStringLiteral("12,5 mL"))) << before.toStdString();
    ASSERT_TRUE(before.contains(QStringLiteral("Réponse : c = 0,012 mol/L")));

    QProcess restore;
    restore.start(QStringLiteral(RECOVERY_KILL_PROGRAM), {QStringLiteral("restore"), folder.path()});
    ASSERT_TRUE(restore.waitForFinished(60000));
    EXPECT_EQ(restore.exitCode(), 0) << restore.readAllStandardError().toStdString();
    const QString after = QString::fromUtf8(lines(restore.readAllStandardOutput()));
    const qsizetype questionEnd = after.indexOf('\n');
    EXPECT_TRUE(after.startsWith(QStringLiteral(
        "Travail retrouvé | Vireltra s'est arrêté sans être fermé. Restaurer le travail laissé le ")))
        << after.left(questionEnd).toStdString();
    EXPECT_EQ(after.mid(questionEnd + 1).trimmed(), before.trimmed());
}
