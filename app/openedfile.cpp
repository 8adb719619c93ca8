#include "app/openedfile.h"

#include <QFileInfo>

#include "configuration/configurationfile.h"
#include "exercises/exercisefile.h"

namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

OpenedFile fileToOpen(const QStringList& arguments) {
    const QString configuration = latin1(configuration::kConfigurationExtension);
    // "*.E36": the pattern less its star.
    const QString exercise = latin1(exercises::kExercisePattern).mid(1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) continue;
        if (argument.endsWith(configuration, Qt::CaseInsensitive))
            return {OpenedKind::Configuration, QFileInfo(argument).absoluteFilePath()};
        if (argument.endsWith(exercise, Qt::CaseInsensitive))
            return {OpenedKind::Exercise, QFileInfo(argument).absoluteFilePath()};
    }
    return {};
}
