#pragma once
// TMainForm: the program's main window.
//
// The window borrows every program-wide object (created by the program's composition root, in order) and
// owns only the widgets and the small glue between them: the document's input receiver for the view, the
// file commands, the checks before results, the results window and the panels of the other modes. It
// hosts the video view in a frame that keeps the picture's aspect ratio, a mode bar on the left, a tool
// bar above (the tools of the current mode, or the panel of another mode), a results bar on the right,
// and the navigation bar below.
//
// Every button and menu entry is one mainwindow::TCommand: the window makes them from its tables, runs
// them through Run, and after every change asks core's CommandStates which are enabled, shown and
// pressed. It listens to the view, the document, the settings and the recent files through connections
// that end with it, so the order in which the objects were wired does not matter.
//
// Every message goes through the injected message dialog and every file choice through the injected
// desktop services, so that the whole window runs offscreen in tests with scripted answers.

#include "core/common/signal.h"
#include "core/graph/model_choices.h"
#include "core/mainwindow/commands.h"
#include "core/mainwindow/results_checks.h"
#include "core/mainwindow/study_commands.h"
#include "core/mainwindow/value_input.h"
#include "core/results/results_page.h"
#include "core/video/video.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QToolBar;
class QToolButton;

namespace kinoval {
class TCustomUserDlg;
class TDesktopServices;
class TOptions;
class TMRUFiles;
class TServeur;
class TResForm;
namespace document {
class TData;
}
namespace formulas {
class TFormules;
}
namespace montage {
class TMontage;
class TMontagePanel;
class TRecordCommands;
class TRecordUi;
} // namespace montage
namespace tracking {
class TTracking;
class TTrackingPanel;
} // namespace tracking
namespace results {
class TResultsSet;
}
namespace video {
class TDocumentInput;
class TStudio;
class TStudioPanel;
class TVideoWidget;
} // namespace video
} // namespace kinoval

namespace kinoval::gui {

class TViewFrame;
class THelpWindow;

// The program-wide objects the window works with; all outlive it.
struct TMainFormParts {
    TCustomUserDlg& dialog;
    TDesktopServices& desktop;
    video::TVideo& video;
    document::TData& data;
    TOptions& options;
    TMRUFiles& mru;
    results::TResultsSet& results;
    TServeur& serveur;
    formulas::TFormules& formules;
    montage::TMontage& montage;
    tracking::TTracking& tracking;
    // The settings file the window reads its place from and writes its settings to at exit; empty: none.
    std::string settingsPath;
};

class TRecoveryHook;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(const TMainFormParts& parts, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The sample videos kept in the program.
    enum class TSample { RollingCylinder = 0, ThrownBall = 1 };
    // Writes the sample videos to the temporary folder and opens one: the thrown ball by default, the
    // sample whose answer (g) a teacher can check at once. False when they could not be written.
    bool OpenSampleVideo(TSample sample = TSample::ThrownBall);

    // The other modes' panels: shown in the tool bar while the view is in that mode (null removes it).
    void SetModeToolPanel(video::TVideoMode mode, QWidget* panel);

    // The checks, the computation, then the results window on that page. False when something stopped it.
    bool ShowResults(results::TResultsPage page);
    // Opens the results window on a page once the results are computed; tests may put their own.
    std::function<void(results::TResultsPage page)> showResultsWindow;
    TResForm& ResultsWindow() { return *m_resForm; }
    // Asks a typed value; the value dialog by default, a script in tests.
    std::function<std::optional<double>(const mainwindow::TValueUse&, const QString& current)> askValue;
    // The names-and-colours dialog; set by tests to see it was asked for.
    std::function<void()> showNamesDialog;

    mainwindow::TStudyCommands& Commands() { return *m_commands; }
    // A video just recorded: the capture mode is left and the video opened for measuring.
    void OpenRecordedVideo(const std::string& path);
    // Called when the window is about to close, once the study is safe (the capture stops and saves).
    std::function<void()> closing;
    // The recording of new media: the montage as a video, frames to pictures and back.
    montage::TRecordCommands& Recording() { return *m_record; }
    montage::TRecordUi& RecordingUi() { return *m_recordUi; }
    video::TStudio& Studio() { return *m_studio; }
    // The copies of unsaved studies: told of mode changes, new studies, saves and the close (may be null).
    void SetRecoveryHook(TRecoveryHook* hook) { m_recovery = hook; }
    video::TVideoWidget& View() { return *m_view; }
    QSize ViewAreaSize() const;

    // The largest size with the frame's aspect ratio inside an area (one line kept free below).
    static QSize FittedViewSize(QSize area, QSize frame);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using TCommand = mainwindow::TCommand;

    // Building, from the tables of main_form_commands.cpp.
    void BuildMenus();
    void BuildBars();
    void BuildNavigationBar();
    void BuildViewPopup();
    void BuildModePanels();
    void Wire();
    QToolButton* MakeButton(QToolBar* bar, TCommand command, const QString& caption, const QString& tip,
        const QKeySequence& key, bool checkable);
    QAction* MakeAction(QMenu* menu, TCommand command, const QString& caption, bool checkable);
    QToolButton* Button(TCommand command) const { return m_buttons[mainwindow::Index(command)]; }
    QAction* Action(TCommand command) const { return m_actions[mainwindow::Index(command)]; }

    // Runs one command, as its button or its menu entry asks.
    void Run(TCommand command);
    void ChooseDocumentTool(int tool, int scaleKind = -1);
    void ChooseZoomTool();
    void ChoosePanTool();
    void ChooseMode(video::TVideoMode mode);
    void AskFrameNumber();
    void AskAngle();
    void AskScaleLength(int kind);
    void AskObjectsPerFrame(int n);
    void AskFramesBetweenMarks(bool ask);
    void AskMarksToDraw();
    void EraseMarks();
    void EraseAll();
    void OpenNamesDialog();
    void ShowHelpPages();
    // The view shows what the display settings now ask for.
    void RedrawView();

    // Refreshes.
    mainwindow::TWindowState WindowState() const;
    void UpdateAll();
    void UpdateCommands();
    void UpdateFrameBox();
    void UpdateZoomBox();
    void UpdateObjectBox();
    void UpdateAngleBox();
    void UpdateUndoCaption();
    void UpdateStatusHint();
    void UpdateTitle();
    void DocumentChanged();
    void ApplySettings();
    void FitView();
    // The results window's place the first time it is shown.
    void PlaceResultsWindow();
    void RestorePlace();
    void StorePlace();
    mainwindow::TScalePictures ScalePictures() const;
    std::optional<double> AskValue(const mainwindow::TValueUse& use, const QString& current);

    TMainFormParts m_parts;
    // The models chosen on the results' curves: part of the study.
    graph::TModelChoices m_modelChoices;
    std::unique_ptr<video::TDocumentInput> m_input;
    std::unique_ptr<mainwindow::TStudyCommands> m_commands;
    TRecoveryHook* m_recovery = nullptr;
    std::unique_ptr<mainwindow::TResultsChecks> m_checks;
    std::unique_ptr<TResForm> m_resForm;
    THelpWindow* m_helpWindow = nullptr;
    bool m_resultsPlaced = false;

    TViewFrame* m_frame = nullptr;
    video::TVideoWidget* m_view = nullptr;
    QToolBar* m_modeBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_resultsBar = nullptr;
    QToolBar* m_navBar = nullptr;
    QSlider* m_trackBar = nullptr;
    QLineEdit* m_editImage = nullptr;
    QLineEdit* m_editMarque = nullptr;
    QLineEdit* m_editZoom = nullptr;
    QLineEdit* m_editAngle = nullptr;
    QLabel* m_hint = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_popup = nullptr;
    bool m_settingTrackBar = false;

    // Every command's button (with its place in its bar) or menu entry, by the command's index.
    std::array<QToolButton*, mainwindow::kCommandCount> m_buttons {};
    std::array<QAction*, mainwindow::kCommandCount> m_places {};
    std::array<QAction*, mainwindow::kCommandCount> m_actions {};
    std::array<QAction*, 2> m_toolSeparators {};
    std::map<int, std::pair<QWidget*, QAction*>> m_modePanels;

    tracking::TTrackingPanel* m_trackingPanel = nullptr;
    montage::TMontagePanel* m_montagePanel = nullptr;
    std::unique_ptr<montage::TRecordCommands> m_record;
    montage::TRecordUi* m_recordUi = nullptr;
    std::unique_ptr<video::TStudio> m_studio;
    video::TStudioPanel* m_studioPanel = nullptr;

    // Listening to the view, the document, the settings and the recent files, for the window's lifetime.
    TConnections m_links;
};

} // namespace kinoval::gui
