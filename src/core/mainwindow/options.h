#pragma once
// The user's settings for the whole program, kept in section "Options" of the settings file.
//
// TOptions is a program-wide object created by the main window. Every setting is a field named after the
// settings dialog's control that edits it; its key in the file is that name followed by "_Checked" (check
// boxes), "_Value" (numbers) or "_Down" (tool buttons of the results window), and the two texts
// DefaultDirectory and Password are stored under their own names. The lists below are the one place where
// each setting and its default are stated: the fields, the defaults, reading and writing all come from them.
//
// Reading gives every missing or unreadable key its default, so a first start (no file) and a file written
// by an older version both work. Writing loads the file first and replaces only the keys of "Options", so
// the sections of the other windows (results, capture, montage, formulas) survive, and the save is atomic.
// After a change (reading, or the settings dialog assigning its edited copy) the single listener, the main
// window, is told, and updates the document and the other windows.

#include "core/common/ini_file.h"
#include "core/common/signal.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval {

// Check boxes: name, default.
#define KINOVAL_OPTION_CHECKBOXES(X)                                                                                   \
    X(CheckBox3ConfirmationQuit, true)                                                                                 \
    X(CheckBox4ConfirmationFileChange, true)                                                                           \
    X(CheckBox5ChangeFormulae, true)                                                                                   \
    X(CheckBox6FreezeMRU, false)                                                                                       \
    X(CheckBox7SmoothAcceleration, true)                                                                               \
    X(CheckBox8Acceleration, true)                                                                                     \
    X(CheckBox9Speed, true)                                                                                            \
    X(CheckBox10GridShowSpeed, true)                                                                                   \
    X(CheckBox11GridShowAcceleration, true)                                                                            \
    X(CheckBox12TimeZoomX, false)                                                                                      \
    X(CheckBox13TimeZoomY, true)                                                                                       \
    X(CheckBox14TimePolyline, true)                                                                                    \
    X(CheckBox15TimeShowItem, true)                                                                                    \
    X(CheckBox16TrajectoryNumber, true)                                                                                \
    X(CheckBox17TrajectoryPolyline, true)                                                                              \
    X(CheckBox18TrajectoryShowItem, true)                                                                              \
    X(CheckBox19VectorNumber, true)                                                                                    \
    X(CheckBox20VectorDraw, true)                                                                                      \
    X(CheckBox21VectorPolyline, false)                                                                                 \
    X(CheckBox22VectorShowItem, true)                                                                                  \
    X(CheckBox23FormulaZoomX, false)                                                                                   \
    X(CheckBox24FormulaZoomY, true)                                                                                    \
    X(CheckBox25FormulaOriginY, true)                                                                                  \
    X(CheckBox26FormulaPolyline, true)                                                                                 \
    X(CheckBox27ProfShowItem, true)                                                                                    \
    X(CheckBox28FormulaShowItem, true)                                                                                 \
    X(CheckBox29GridShowCoordinates, true)                                                                             \
    X(CheckBox30HideEdgeV, false)                                                                                      \
    X(CheckBox31HideEdgeA, false)                                                                                      \
    X(CheckBox32AngleRadian, false)                                                                                    \
    X(CheckBox33VectorOrigin, true)                                                                                    \
    X(CheckBox34FormulaOriginX, false)                                                                                 \
    X(CheckBox35VectorTilted, true)                                                                                    \
    X(CheckBox36StartByZero, false)                                                                                    \
    X(CheckBox37GridShowItem, true)                                                                                    \
    X(CheckBox38ChangeDefaultObjectsName, true)                                                                        \
    X(CheckBox40ShowDialogBoxForHideImage, true)                                                                       \
    X(CheckBox41HorizAndVertScale, false)                                                                              \
    X(CheckBox42TempsEquation, true)                                                                                   \
    X(CheckBox43TempsStatistics, false)                                                                                \
    X(CheckBox44FormulaEquation, true)                                                                                 \
    X(CheckBox45FormulaStatistics, false)                                                                              \
    X(CheckBox46VectorVideoImage, false)                                                                               \
    X(CheckBox47AllowTracking, true)                                                                                   \
    X(CheckBox48AllowMontage, true)                                                                                    \
    X(CheckBox49AllowCapture, true)                                                                                    \
    X(CheckBox50VectorSpline, false)                                                                                   \
    X(CheckBox51DeformationBubble, true)                                                                               \
    X(CheckBox52ShowRadiusSearch, true)                                                                                \
    X(CheckBox53PolarQuantities, true)                                                                                 \
    X(CheckBox54SmoothSpeed, true)                                                                                     \
    X(CheckBox57GridShowPolarQuantities, true)                                                                         \
    X(CheckBox58AllowStudio, true)

// Numbers: name, default, smallest and largest value accepted from the file (others give the default).
#define KINOVAL_OPTION_VALUES(X)                                                                                       \
    X(EditMRU, 8, 0, 255) /* maximum number of recent files */                                                         \
    X(Numerotation, 0, 0, 2) /* number position of fixed-frame marks: below, right, none */                            \
    X(NumerotationTsp, 0, 0, 2) /* the same for the transparent marks */                                               \
    X(PenSize, 0, 0, 2) /* element size of the document */                                                             \
    X(PenSize4Graph, 0, 0, 1000)                                                                                       \
    X(StudioShapeNumber, 0, 0, 1000)                                                                                   \
    X(TrackingRadius, 40, 1, 100000) /* search radius of the tracker, in pixels */                                     \
    X(ShapeNumber, 0, 0, 1000)                                                                                         \
    X(TrackingMethod, 0, 0, 1) /* tracker of the automatic pointing: 0 colours (mean shift), 1 template */

// Texts stored under their own names.
#define KINOVAL_OPTION_TEXTS(X)                                                                                        \
    X(DefaultDirectory)                                                                                                \
    X(Password) /* when not empty, the settings dialog asks for it */

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
#define KINOVAL_X(name, def) bool name = def;
    KINOVAL_OPTION_CHECKBOXES(KINOVAL_X)
#undef KINOVAL_X
#define KINOVAL_X(name, def, low, high) int name = def;
    KINOVAL_OPTION_VALUES(KINOVAL_X)
#undef KINOVAL_X
#define KINOVAL_X(name) std::string name;
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

    // Every default.
    void SetDefaults();
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
