#pragma once
// "Verrerie" (`verrerie`): how the pupil measures each volume of the titration, each piece with its
// class and its tolerance (editable), the burette's reading, a dilution, the titrant's stated
// uncertainty, and the seed the titrations are drawn from; or "Titrage exact". Beside the main
// window; "Appliquer" hands the choice on once every number reads.
#include <QDialog>
#include <functional>
#include <span>
#include <vector>

#include "chemistry/glassware.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace glasswarewindow {

using ApplyGlassware = std::function<void(const chemistry::Glassware&)>;

class GlasswareWindow : public QDialog {
    Q_OBJECT

  public:
    // `titrantConcentration` (mol · L-1) gives the titrant's uncertainty when the pupil leaves
    // "Titrage exact".
    GlasswareWindow(const chemistry::Glassware& glassware, double titrantConcentration, ApplyGlassware apply,
                    QWidget* parent);

    // "Appliquer": false, with the reason shown, while a number does not read or is out of range.
    bool apply();

  private:
    // One measured volume: the piece, its class and its tolerance.
    struct InputRow {
        chemistry::GlasswareRole role;
        QComboBox* piece = nullptr;
        QComboBox* glassClass = nullptr;
        QLineEdit* tolerance = nullptr;
        std::vector<int> pieces;  // the catalogue's indices the list shows
    };

    InputRow makeRow(chemistry::GlasswareRole role, const char* name, const QString& spoken);
    void showInput(InputRow& row, const chemistry::MeasuredInput& input);
    bool readInput(const InputRow& row, chemistry::MeasuredInput& input, const QString& what);
    void showGlassware(const chemistry::Glassware& glassware);
    void enableInputs();
    bool refuse(const QString& reason);

    ApplyGlassware m_apply;
    double m_titrantConcentration;
    QRadioButton* m_exact = nullptr;
    QRadioButton* m_measured = nullptr;
    InputRow m_beaker;
    InputRow m_water;
    InputRow m_burette;
    QLineEdit* m_reading = nullptr;
    QCheckBox* m_diluted = nullptr;
    InputRow m_dilutionPipette;
    InputRow m_dilutionFlask;
    QLineEdit* m_titrant = nullptr;
    QSpinBox* m_seed = nullptr;
    QLabel* m_message = nullptr;
    std::vector<QWidget*> m_measuredWidgets;
};

// Opens the window, or brings forward the one already open.
GlasswareWindow* openGlasswareWindow(const chemistry::Glassware& glassware, double titrantConcentration,
                                     ApplyGlassware apply, QWidget* mainWindow);

}  // namespace glasswarewindow
