#pragma once
// The workbench as a document: the configuration file it was last opened from or saved to
// (`ConfigurationPath`), and the one way to save it and to load one. The open and save dialogs
// and the exercise windows call this and nothing else. It reads and writes the bytes and shows
// the messages; what goes into a file and what a file read sets is the state's
// (state/benchconfiguration.h).
#include <QObject>
#include <QString>
#include <optional>

#include "configuration/configurationfile.h"

namespace platform {
class MessageBoxes;
}

namespace workbench {

class BenchController;

class Document : public QObject {
    Q_OBJECT

  public:
    Document(BenchController& bench, platform::MessageBoxes& messageBoxes, QObject* parent = nullptr);

    // `ConfigurationPath`: empty at start, then the file last opened, saved or loaded with an
    // exercise. Callers set it before a load.
    QString configurationPath() const { return m_configurationPath; }
    void setConfigurationPath(const QString& path) { m_configurationPath = path; }
    // The main window's caption: "Vireltra", then "Vireltra - " and the path of the last file read
    // or written.
    QString caption() const { return m_caption; }

    // Writes the three display switches and the ten situations as they are stored (the caller has
    // stored the panel into the current situation first). The previous file stays whole when the
    // write fails; the failure is shown and false returned.
    bool saveBenchTo(const QString& path);
    // Reads the file at `ConfigurationPath` into the workbench and shows Situation 1, without
    // storing the panel over what was read. A failure is shown and nothing changes.
    bool openConfigurationPath();
    // The two halves of a load, for a caller that must know a file is sound before it changes
    // anything else (an exercise and its statement). Reading shows the reader's failure, if any.
    std::optional<configuration::ConfigurationFile> readConfiguration(const QString& path);
    // The display switches and the ten situations as a configuration file holds them, the panel
    // first stored into the current situation, as "&Enregistrer" does before saving.
    configuration::ConfigurationFile storePanelAndTakeConfiguration();
    // Values outside the panel's limits are corrected first, and the pupil is told so once the
    // file is shown. `path` becomes `ConfigurationPath`.
    void applyConfiguration(const QString& path, configuration::ConfigurationFile file);
    // `ConfigurationPath` and the caption a recovery copy kept, shown again.
    void restoreCaption(const QString& path, const QString& caption);

  signals:
    void captionChanged(const QString& caption);
    // A save failed. Emitted before the failure is shown, so that the window that asked can set
    // its pointer back first.
    void saveFailed();

  private:
    void setCaption(const QString& path);
    configuration::ConfigurationFile storedConfiguration() const;

    BenchController& m_bench;
    platform::MessageBoxes& m_messageBoxes;
    QString m_configurationPath;
    QString m_caption = QStringLiteral("Vireltra");
};

}  // namespace workbench
