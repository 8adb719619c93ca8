#include "windows/measurements/pythonexport.h"

#include "platform/messageboxes.h"
#include "platform/utf8text.h"
#include "state/pythonexport.h"
#include "windows/measurements/savedfile.h"

namespace measurementwindows {

void openPythonExport(const state::BenchState& bench, platform::MessageBoxes& messageBoxes,
                      platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    const QString title = QStringLiteral("Exporter en Python");
    state::PythonProgram program = state::pythonProgram(bench);
    if (!program.written()) {
        messageBoxes.show(platform::MessageIcon::Exclamation, platform::fromUtf8(program.refusal), title,
                          platform::MessageButtons::Ok);
        return;
    }
    ContentMaker content = [text = std::move(program.text)]() -> std::optional<QByteArray> {
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    };
    openFileSave(title, QStringLiteral(".py"), QString::fromLatin1(state::kPythonFileName),
                 std::move(content), messageBoxes, saveLocations, mainWindow);
}

}  // namespace measurementwindows
