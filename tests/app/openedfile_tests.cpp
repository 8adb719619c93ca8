// The file the program is started with, as a file manager passes it.
#include <gtest/gtest.h>

#include <QDir>

#include "app/openedfile.h"

namespace {

struct OpenedCase {
    const char* why;
    QStringList arguments;
    OpenedKind kind;
    QString name;  // the file's name in the absolute path given back
};

TEST(FileToOpen, TheFirstConfigurationOrExerciseNamedIsOpened) {
    const QString program = QStringLiteral("vireltra");
    const OpenedCase cases[] = {
        {"no argument", {program}, OpenedKind::None, {}},
        {"a configuration",
         {program, QStringLiteral("titrage.C13")},
         OpenedKind::Configuration,
         QStringLiteral("titrage.C13")},
        {"an exercise in lower case",
         {program, QStringLiteral("Vinaigre.e36")},
         OpenedKind::Exercise,
         QStringLiteral("Vinaigre.e36")},
        {"options passed over",
         {program, QStringLiteral("-style"), QStringLiteral("x.C13")},
         OpenedKind::Configuration,
         QStringLiteral("x.C13")},
        {"another file passed over",
         {program, QStringLiteral("notes.RTF"), QStringLiteral("séance 2.E36"), QStringLiteral("b.C13")},
         OpenedKind::Exercise,
         QStringLiteral("séance 2.E36")},
        {"the program's own name is no file", {QStringLiteral("essai.C13")}, OpenedKind::None, {}},
        {"an extension inside a name", {program, QStringLiteral("a.C13.bak")}, OpenedKind::None, {}},
    };
    for (const OpenedCase& c : cases) {
        const OpenedFile opened = fileToOpen(c.arguments);
        EXPECT_EQ(opened.kind, c.kind) << c.why;
        if (c.kind == OpenedKind::None) {
            EXPECT_TRUE(opened.path.isEmpty()) << c.why;
            continue;
        }
        EXPECT_TRUE(QDir::isAbsolutePath(opened.path)) << c.why;
        EXPECT_EQ(opened.path, QDir::current().absoluteFilePath(c.name)) << c.why;
    }
}

}  // namespace
