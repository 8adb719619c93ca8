#pragma once
// The small record file `TEMPKV.TMP` shared with the other programs of the family: record 8 says
// whether this program runs ("OUI" / "NON"), record 31 may name an exercise to open.
#include <QString>

namespace workbench {

class SharedRecordFile {
  public:
    static constexpr int kRunningRecord = 8;
    static constexpr int kExerciseRecord = 31;

    // The file in `folder`, or in the per-user data folder when `folder` cannot be written.
    explicit SharedRecordFile(const QString& folder);

    QString path() const { return m_path; }

    // Record 8: "OUI" while running, "NON" after closing. Failures are ignored.
    void markRunning(bool running) const;
    // Reads record 31 and empties it; an empty text when there is none.
    QString takeExerciseRequest() const;

  private:
    QString m_path;
};

}  // namespace workbench
