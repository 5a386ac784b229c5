#pragma once
// The user's settings for the whole program, kept in section "Options" of the settings file.
//
// TOptions is a program-wide object created by the composition root. Every setting is a field whose name
// says what it is (separateScales); its key in the file is the name of the settings dialog's control that
// edits it followed by "_Checked" (check boxes), "_Value" (numbers) or "_Down" (tool buttons of the results
// window), and the two texts are stored under their own keys (DefaultDirectory, Password). Those keys are
// the files' and never change. The lists below are the one place where each setting, its key and its
// default are stated: the fields, the defaults, reading and writing all come from them.
//
// Reading gives every missing or unreadable key its default, so a first start (no file) and a file written
// by an older version both work. Writing loads the file first and replaces only the keys of "Options", so
// the sections of the other windows (results, capture, montage, formulas) survive, and the save is atomic.
// After a change (reading, or the settings dialog assigning its edited copy) OnChange tells its listeners
// (the main window updates the document and the other windows).

#include "core/common/ini_file.h"
#include "core/common/signal.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval {

// Check boxes: the name in the code, the control's name (the file key without "_Checked"), default.
#define KINOVAL_OPTION_CHECKBOXES(X)                                                                                   \
    X(askToSaveOnQuit, CheckBox3ConfirmationQuit, true)                                                                \
    X(askToSaveOnOpen, CheckBox4ConfirmationFileChange, true)                                                          \
    X(formulasEditable, CheckBox5ChangeFormulae, true)                                                                 \
    X(keepSavedStudiesOutOfRecent, CheckBox6FreezeMRU, false)                                                          \
    X(smoothAcceleration, CheckBox7SmoothAcceleration, true)                                                           \
    X(showAcceleration, CheckBox8Acceleration, true)                                                                   \
    X(showVelocity, CheckBox9Speed, true)                                                                              \
    X(tableVelocityColumns, CheckBox10GridShowSpeed, true)                                                             \
    X(tableAccelerationColumns, CheckBox11GridShowAcceleration, true)                                                  \
    X(timeGraphFitX, CheckBox12TimeZoomX, false)                                                                       \
    X(timeGraphFitY, CheckBox13TimeZoomY, true)                                                                        \
    X(timeGraphPolyline, CheckBox14TimePolyline, true)                                                                 \
    X(timeGraphLegend, CheckBox15TimeShowItem, true)                                                                   \
    X(trajectoryNumbers, CheckBox16TrajectoryNumber, true)                                                             \
    X(trajectoryPolyline, CheckBox17TrajectoryPolyline, true)                                                          \
    X(trajectoryLegend, CheckBox18TrajectoryShowItem, true)                                                            \
    X(vectorNumbers, CheckBox19VectorNumber, true)                                                                     \
    X(vectorsDrawn, CheckBox20VectorDraw, true)                                                                        \
    X(vectorPolyline, CheckBox21VectorPolyline, false)                                                                 \
    X(vectorLegend, CheckBox22VectorShowItem, true)                                                                    \
    X(formulaGraphFitX, CheckBox23FormulaZoomX, false)                                                                 \
    X(formulaGraphFitY, CheckBox24FormulaZoomY, true)                                                                  \
    X(formulaGraphOriginY, CheckBox25FormulaOriginY, true)                                                             \
    X(formulaGraphPolyline, CheckBox26FormulaPolyline, true)                                                           \
    X(profileLegend, CheckBox27ProfShowItem, true)                                                                     \
    X(formulaGraphLegend, CheckBox28FormulaShowItem, true)                                                             \
    X(tablePositionColumns, CheckBox29GridShowCoordinates, true)                                                       \
    X(hideVelocityEdges, CheckBox30HideEdgeV, false)                                                                   \
    X(hideAccelerationEdges, CheckBox31HideEdgeA, false)                                                               \
    X(anglesInRadians, CheckBox32AngleRadian, false)                                                                   \
    X(vectorsFromPosition, CheckBox33VectorOrigin, true)                                                               \
    X(formulaGraphOriginX, CheckBox34FormulaOriginX, false)                                                            \
    X(vectorsTilted, CheckBox35VectorTilted, true)                                                                     \
    X(numberMarksFromZero, CheckBox36StartByZero, false)                                                               \
    X(tableObjectNames, CheckBox37GridShowItem, true)                                                                  \
    X(adviseNamingObjects, CheckBox38ChangeDefaultObjectsName, true)                                                   \
    X(explainHiddenFrames, CheckBox40ShowDialogBoxForHideImage, true)                                                  \
    X(separateScales, CheckBox41HorizAndVertScale, false)                                                              \
    X(timeModelEquation, CheckBox42TempsEquation, true)                                                                \
    X(timeModelStatistics, CheckBox43TempsStatistics, false)                                                           \
    X(formulaModelEquation, CheckBox44FormulaEquation, true)                                                           \
    X(formulaModelStatistics, CheckBox45FormulaStatistics, false)                                                      \
    X(vectorVideoImage, CheckBox46VectorVideoImage, false)                                                             \
    X(allowTracking, CheckBox47AllowTracking, true)                                                                    \
    X(allowMontage, CheckBox48AllowMontage, true)                                                                      \
    X(allowCapture, CheckBox49AllowCapture, true)                                                                      \
    X(vectorSpline, CheckBox50VectorSpline, false)                                                                     \
    X(deformModelBubble, CheckBox51DeformationBubble, true)                                                            \
    X(showSearchRadius, CheckBox52ShowRadiusSearch, true)                                                              \
    X(polarQuantities, CheckBox53PolarQuantities, true)                                                                \
    X(smoothVelocity, CheckBox54SmoothSpeed, true)                                                                     \
    X(tablePolarColumns, CheckBox57GridShowPolarQuantities, true)                                                      \
    X(allowWorkshop, CheckBox58AllowStudio, true)

// Numbers: the name in the code, the control's name (the key without "_Value"), default, smallest and
// largest value accepted from the file (others give the default).
#define KINOVAL_OPTION_VALUES(X)                                                                                       \
    X(recentFilesMax, EditMRU, 8, 0, 255) /* maximum number of recent files */                                         \
    X(markNumberPosition, Numerotation, 0, 0, 2) /* number position of fixed-frame marks: below, right, none */        \
    X(sheetMarkNumberPosition, NumerotationTsp, 0, 0, 2) /* the same for the transparent marks */                      \
    X(elementSize, PenSize, 0, 0, 2) /* element size of the document */                                                \
    X(graphPenWidth, PenSize4Graph, 0, 0, 1000)                                                                        \
    X(workshopShape, StudioShapeNumber, 0, 0, 1000)                                                                    \
    X(trackingRadius, TrackingRadius, 40, 1, 100000) /* search radius of the tracker, in pixels */                     \
    X(trackingShape, ShapeNumber, 0, 0, 1000)                                                                          \
    X(trackingMethod, TrackingMethod, 0, 0,                                                                            \
        1) /* tracker of the automatic pointing: 0 colours (mean shift), 1 template */                                 \
    X(language, ComboBoxLanguage, 0, 0, 2) /* the interface's language: 0 the system's, 1 French, 2 English */

// Texts: the name in the code, the file key.
#define KINOVAL_OPTION_TEXTS(X)                                                                                        \
    X(defaultFolder, DefaultDirectory)                                                                                 \
    X(password, Password) /* when not empty, the settings dialog asks for it */

// Tool buttons of the results window: down or up, up by default.
#define KINOVAL_OPTION_TOOLBUTTONS(X)                                                                                  \
    X(ToolButtonFormuleModeleConstant)                                                                                 \
    X(ToolButtonFormuleModeleAffine)                                                                                   \
    X(ToolButtonFormuleModeleProportionnel)                                                                            \
    X(ToolButtonFormuleModeleParabole)                                                                                 \
    X(ToolButtonFormuleModeleSinus)                                                                                    \
    X(ToolButtonFormuleReticule)                                                                                       \
    X(ToolButtonFormuleModeleSinusAl)                                                                                  \
    X(ToolButtonFormuleModeleExponentiel)                                                                              \
    X(ToolButtonReferentielAngle)                                                                                      \
    X(ToolButtonReferentielArc)                                                                                        \
    X(ToolButtonReferentielCercle)                                                                                     \
    X(ToolButtonReferentielCurveArc)                                                                                   \
    X(ToolButtonReferentielDupliquer)                                                                                  \
    X(ToolButtonReferentielEllipse)                                                                                    \
    X(ToolButtonReferentielMesurer)                                                                                    \
    X(ToolButtonReferentielReticule)                                                                                   \
    X(ToolButtonReferentielSegment)                                                                                    \
    X(ToolButtonReferentielSelection)                                                                                  \
    X(ToolButtonReferentielSpline)                                                                                     \
    X(ToolButtonReferentielSupprimer)                                                                                  \
    X(ToolButtonTempsModeleConstant)                                                                                   \
    X(ToolButtonTempsModeleAffine)                                                                                     \
    X(ToolButtonTempsModeleProportionnel)                                                                              \
    X(ToolButtonTempsModeleParabole)                                                                                   \
    X(ToolButtonTempsModeleSinus)                                                                                      \
    X(ToolButtonTempsReticule)                                                                                         \
    X(ToolButtonTempsModeleSinusAl)                                                                                    \
    X(ToolButtonTempsModeleExponentiel)                                                                                \
    X(ToolButtonVecteurAngle)                                                                                          \
    X(ToolButtonVecteurArc)                                                                                            \
    X(ToolButtonVecteurCercle)                                                                                         \
    X(ToolButtonVecteurCurveArc)                                                                                       \
    X(ToolButtonVecteurDupliquer)                                                                                      \
    X(ToolButtonVecteurEllipse)                                                                                        \
    X(ToolButtonVecteurMesurer)                                                                                        \
    X(ToolButtonVecteurReticule)                                                                                       \
    X(ToolButtonVecteurSegment)                                                                                        \
    X(ToolButtonVecteurSelection)                                                                                      \
    X(ToolButtonVecteurSens)                                                                                           \
    X(ToolButtonVecteurSpline)                                                                                         \
    X(ToolButtonVecteurSupprimer)                                                                                      \
    X(ToolButtonVecteurVecteur)                                                                                        \
    X(ToolButtonVecteurVideo)

// The values alone, so the settings dialog can edit a copy and compare it.
struct TOptionValues {
#define KINOVAL_X(name, control, def) bool name = def;
    KINOVAL_OPTION_CHECKBOXES(KINOVAL_X)
#undef KINOVAL_X
#define KINOVAL_X(name, control, def, low, high) int name = def;
    KINOVAL_OPTION_VALUES(KINOVAL_X)
#undef KINOVAL_X
#define KINOVAL_X(name, key) std::string name;
    KINOVAL_OPTION_TEXTS(KINOVAL_X)
#undef KINOVAL_X
#define KINOVAL_X(name) bool name = false;
    KINOVAL_OPTION_TOOLBUTTONS(KINOVAL_X)
#undef KINOVAL_X

    bool operator==(const TOptionValues&) const = default;
};

// A setting as the settings dialog sees it: the file key, and where its value lives.
struct TBoolOption {
    const char* key;
    bool TOptionValues::*field;
    bool fallback;
};
struct TIntOption {
    const char* key;
    int TOptionValues::*field;
    int fallback;
    int low;
    int high;
};
struct TTextOption {
    const char* key;
    std::string TOptionValues::*field;
};

// Whether the settings dialog offers a setting, by its name without "_Checked", "_Value" or "_Down". Every
// setting stays in the file and keeps its value; the dialog shows only those the program acts upon today,
// so that no switch pretends to change something. The graphs, the capture, the workshop and the formulas
// bring theirs back as they come.
bool SettingShownInDialog(std::string_view name);

class TOptions : public TOptionValues {
public:
    static constexpr const char* kSection = "Options";

    // Every check box and tool button ("..._Checked", "..._Down"), every number and every text.
    static const std::vector<TBoolOption>& BoolOptions();
    static const std::vector<TIntOption>& IntOptions();
    static const std::vector<TTextOption>& TextOptions();

    // Called after the settings changed; the main window applies them to the document and the windows.
    TSignal<> OnChange;

    // Reads section "Options"; missing or unreadable keys get their defaults. Notifies the listener.
    void ReadAll(const TIniFile& ini);
    // Writes every key of section "Options", leaving the rest of the file alone.
    void WriteAll(TIniFile& ini) const;

    // Reads the settings file (a missing file gives every default and returns kIniFileMissing).
    int Load(const std::string& path);
    // Rewrites the settings in the file atomically, keeping the other sections. On failure the file is as
    // before and errorText says why. A file that exists but cannot be read is not overwritten, since its
    // other sections would be lost.
    int Save(const std::string& path, std::string* errorText = nullptr) const;

    // Takes the values edited by the settings dialog; notifies the listener when anything changed.
    void Assign(const TOptionValues& edited);
    void NotifyChange() const;

    // Access by file key, for a dialog that finds its controls by name; null for an unknown key.
    bool* FindBool(std::string_view key);
    int* FindInt(std::string_view key);
    std::string* FindText(std::string_view key);
};

// The message shown when the settings could not be saved: the file and the system's reason.
std::vector<std::string> SettingsSaveFailureLines(const std::string& path, const std::string& reason);
// The message shown at start when a settings file exists but could not be read (a folder, too large,
// unreadable): the defaults are used and the file is left as it is.
std::vector<std::string> SettingsReadFailureLines(const std::string& path, const std::string& reason);

} // namespace kinoval
