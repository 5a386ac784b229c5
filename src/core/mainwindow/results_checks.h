#pragma once
// What the main window checks before it shows any results, said without a screen.
//
// A results button first makes sure that the study can give meaningful numbers: a complete scale, enough
// marks per object, an origin in fixed-frame pointing, and, when the settings ask for it, objects named by
// the user rather than by default. Each refusal is one message box (through the shared message dialog)
// naming the tool button that mends it; the scale message shows the picture of the very scale button that
// is missing. Only then are the results computed. The window turns the outcome into its next step: show
// the results window, open the names-and-colours dialog, or nothing.

#include <array>
#include <string>

namespace kinoval {
class TCustomUserDlg;
class TOptions;
namespace document {
class TData;
}
namespace results {
class TResultsSet;
}
} // namespace kinoval

namespace kinoval::mainwindow {

enum TResultsCheckOutcome : int {
    kResultsGo = 0, // every check passed (the results may be computed)
    kResultsStop = 1, // a message was shown, or the user chose "Annuler"
    kResultsNameObjects = 2 // the user chose "Donner un nom": open the names-and-colours dialog
};

// The pictures of the three scale buttons (single, horizontal, vertical), shown in the scale message.
using TScalePictures = std::array<std::string, 3>;

struct TResultsCheckParts {
    const document::TData& data;
    TOptions& options; // the naming hint may be switched off from its box
    TCustomUserDlg& dialog;
    TScalePictures scalePictures;
    bool transparentPointing = false; // the view's marking mode
};

class TResultsChecks {
public:
    explicit TResultsChecks(const TResultsCheckParts& parts)
        : m_parts(parts)
    {
    }

    // Steps 1 to 4: scale, marks and origin, the naming hint. Shows at most the boxes it needs.
    int Check();
    // The view's marking mode at the time of the check.
    void SetTransparentPointing(bool transparent) { m_parts.transparentPointing = transparent; }
    // The scale kind whose picture the last scale message showed (0, 1 or 2), -1 when none was shown.
    int LastMissingScale() const { return m_missingScale; }

    // Once the user ticked "Ne plus afficher cette boîte de dialogue" during this run of the program the
    // naming hint stays away even if the setting comes back.
    bool NamingHintDismissed() const { return m_namingHintDismissed; }

private:
    int CheckScale();
    int CheckFixedMarks();
    int CheckTransparentMarks();
    int FiveMarksWarning();
    int NamingHint();

    TResultsCheckParts m_parts;
    int m_missingScale = -1;
    bool m_namingHintDismissed = false;
};

// Step 5: recomputes the current mark set's results and their derivatives. On failure shows "L'unité de
// calcul a détecté une erreur. L'opération en cours est annulée." and returns false.
bool ComputeResults(results::TResultsSet& results, const TOptions& options, TCustomUserDlg& dialog);

// The smallest number of marks over the followed objects of the fixed-frame set (0 without marks).
int SmallestMarkCount(const document::TData& data);

} // namespace kinoval::mainwindow
