#pragma once
// The configuration file (".C13"): what the pupil set up on the workbench, reopened later or
// loaded with an exercise. 154 records: the signature, three display switches, then ten blocks of
// 15 records, one per situation, Situation 1 first.
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "chemistry/solution.h"
#include "configuration/extensionrecords.h"
#include "configuration/records.h"

namespace configuration {

inline constexpr std::string_view kConfigurationSignature = "Qelvo";
inline constexpr std::string_view kConfigurationExtension = ".C13";
using chemistry::kSituationCount;
inline constexpr int kRecordsPerSituation = 15;
inline constexpr int kConfigurationRecords = 4 + kSituationCount * kRecordsPerSituation;  // 154

// Record number of record k (0 to 14) of the block of situation s (1 to 10).
constexpr std::int64_t situationRecord(int s, int k) {
    return 5 + kRecordsPerSituation * (s - 1) + k;
}

std::array<chemistry::Situation, kSituationCount> defaultSituations();

// Everything a configuration file holds. Default-constructed, it is the workbench right after
// start-up: boxes unticked, ten default situations.
struct ConfigurationFile {
    bool concentrationMasked = false;  // "Masquer la concentration de la solution introduite dans le bécher"
    bool superposeCurves = false;      // "Superposer les courbes"
    bool boldStrokes = false;          // "Tracer en gras"
    std::array<chemistry::Situation, kSituationCount> situations = defaultSituations();
    // What the program saves beyond the 154 records, in the entries its capabilities read.
    ExtensionEntries extensions;
    // Read from a file some of whose entries were cut off or damaged: they were left out, and the
    // pupil is told so. Never written.
    bool damagedEntriesLeftOut = false;

    bool operator==(const ConfigurationFile&) const = default;
};

// A message box's text and title; the dialogs show these with the stop icon.
struct FailureMessage {
    std::string_view text;
    std::string_view title;
};

inline constexpr FailureMessage kNotAConfigurationFileMessage{
    "Ce fichier ne correspond pas à cette application", "Fichier non valide"};
inline constexpr FailureMessage kReadFailedMessage{"Lecture impossible sur disque",
                                                   "Erreur lors du chargement du fichier"};
inline constexpr FailureMessage kAccessDeniedMessage{
    "Accès refusé : vous n'avez pas le droit de lire ce fichier.", "Erreur lors du chargement du fichier"};
inline constexpr FailureMessage kWriteFailedMessage{"Ecriture impossible sur disque",
                                                    "Enregistrement impossible"};

enum class LoadResult {
    Loaded,
    NotAConfigurationFile,  // record 1 is not exactly "Qelvo" (an empty file included)
    ReadFailed,             // the file cannot be opened, its record 1 cannot be read, or it ends
                            // before the end of record 154's text
    AccessDenied,           // the system does not let this user read the file
};

// The message a load result calls for, nothing after a successful load.
std::optional<FailureMessage> failureMessage(LoadResult result);

// Reads records 1 to 154 into `configuration`, and the entries saved after them. On failure
// nothing is changed; entries after record 154 that were cut off or damaged are left out, the
// others kept, and damagedEntriesLeftOut tells so. A file that ends
// before the end of record 154's text is refused as unreadable. Once the signature is accepted
// every field takes the value of its record, with these exceptions: a record that cannot be read
// (a failing medium) and an integer outside -32 768..32 767 keep the value the field had.
LoadResult readConfiguration(RecordReader& records, ConfigurationFile& configuration);

// Opens the file and reads it as above.
LoadResult loadConfigurationFile(const std::filesystem::path& path, ConfigurationFile& configuration);

// Writes records 1 to 154 in order, then the entries after them when there are any, stopping at the first
// failure (a text that takes more than 126 bytes in Windows-1252, or the medium failing); what was written by
// then is incomplete.
bool writeConfiguration(RecordWriter& records, const ConfigurationFile& configuration);

// Writes the whole file and then replaces `path` with it, so that a failed save leaves the
// previous file exactly as it was. False when the file cannot be created or written, or a text
// is too long for a record: the caller shows kWriteFailedMessage.
bool saveConfigurationFile(const std::filesystem::path& path, const ConfigurationFile& configuration);

}  // namespace configuration
