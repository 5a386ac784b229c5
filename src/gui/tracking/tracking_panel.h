#pragma once
// The tool bar of the automatic-tracking mode and everything the window shows of a tracking run.
//
// The panel is the tracker's face: its buttons and menus call the driver's commands (draw the outline or
// a zone to ignore, choose the last frame, the object, the outline's shape, the search radius and the
// method, run, erase), it shows the progress of a run (frame i of n) and stops it from the same button or
// from the player's pause, tells on which frame a run lost the object, and it gives the view the
// driver's overlay and numbered pen cursors.
//
// Ownership: the panel borrows the driver, the view model, the document, the settings, the message dialog
// and the desktop services; all of them outlive it. On construction it becomes the view's tracker: it
// installs the view's tracker hooks (entering and leaving the mode, pause) and the driver as the view's
// tracking input receiver, and it is the single listener of the driver's notifications. The main window
// adds ShapeMenu and RadiusMenu to its Mesures menu, the two popup actions to the view's popup, the two
// erase actions to its Affichage menu, and calls EraseMarks / EraseAll for its own erase entries while
// the view is in tracking mode.

#include "core/common/signal.h"
#include "core/video/overlay.h"

#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QToolButton;

namespace kinoval {
class TCustomUserDlg;
class TDesktopServices;
class TOptions;
namespace document {
class TData;
}
namespace video {
class TVideo;
}
} // namespace kinoval

namespace kinoval::tracking {

class TTracking;
struct TTrackingSettings;

// A number asked in the window's value dialog; value is the proposed one, minimum .. maximum the range.
struct TTrackNumberRequest {
    std::string caption;
    std::string label;
    int value = 0;
    int minimum = 0;
    int maximum = 0;
};

// The driver's settings as the settings file keeps them.
TTrackingSettings TrackingSettingsOf(const TOptions& options);

class TTrackingPanel : public QWidget {
    Q_OBJECT
public:
    TTrackingPanel(TTracking& tracking, video::TVideo& video, document::TData& data, TOptions& options,
        TCustomUserDlg& dialog, TDesktopServices& desktop, QWidget* parent = nullptr);
    ~TTrackingPanel() override;

    // Asks for a number; false when the user cancelled. Unset: a Qt input dialog.
    std::function<bool(const TTrackNumberRequest& request, int& value)> askNumber;

    QMenu* ShapeMenu() const { return m_shapeMenu; }
    QMenu* RadiusMenu() const { return m_radiusMenu; }
    QAction* PopupContourAction() const { return m_popupContour; }
    QAction* PopupBanZoneAction() const { return m_popupBanZone; }
    QProgressBar* Progress() const { return m_progress; }
    QComboBox* MethodChoice() const { return m_method; }
    QLabel* ProgressText() const { return m_progressText; }
    QToolButton* Button(const char* objectName) const;
    // The long hint of the view while the outline button is down (empty otherwise).
    QString ViewHint() const { return m_hint; }

    // ---- what the view and the window call ----
    void Activate(); // entering the tracking mode
    void Deactivate(); // leaving it: a run stops, the positions are offered to the document
    void Stop(); // the player's pause: stops a run, nothing else
    void EraseMarks(); // MenuAffichageEffacerMarques in tracking mode
    void EraseAll(); // MenuAffichageEffacerTout in tracking mode
    void ObjectsChanged(); // the document's objects per frame changed
    void BuildOverlay(video::TOverlay& overlay) const;
    void UpdateControls();

    // ---- the buttons ----
    void ContourClicked(bool down);
    void BanZoneClicked(bool down);
    void SequenceClicked();
    void SuiviClicked();
    void NumMarqueClicked();

signals:
    void runStarted();
    void runEnded();
    void viewHintChanged(const QString& hint);
    // Outlines, zones or positions changed: the window refreshes its menus.
    void trackingChanged();

private:
    QToolButton* AddButton(const char* name, const char* caption, const char* hint);
    bool AskNumber(const TTrackNumberRequest& request, int& value);
    void SetDrawingButtons(int mode);
    void UpdateHint();
    void UpdateControlsFor(bool running);
    void RunStarted();
    void FrameTracked(int frame);
    void RunEnded();

    TTracking& m_tracking;
    video::TVideo& m_video;
    document::TData& m_data;
    TOptions& m_options;
    TCustomUserDlg& m_dialog;
    TDesktopServices& m_desktop;

    QToolButton* m_contour = nullptr;
    QToolButton* m_shapeButton = nullptr;
    QToolButton* m_radiusButton = nullptr;
    QToolButton* m_banZone = nullptr;
    QToolButton* m_sequence = nullptr;
    QToolButton* m_suivi = nullptr;
    QToolButton* m_numMarque = nullptr;
    QToolButton* m_eraseContourButton = nullptr;
    QToolButton* m_eraseTrackButton = nullptr;
    QToolButton* m_eraseBanZoneButton = nullptr;
    QMenu* m_shapeMenu = nullptr;
    QMenu* m_radiusMenu = nullptr;
    QActionGroup* m_shapeGroup = nullptr;
    QActionGroup* m_radiusGroup = nullptr;
    QAction* m_shapeActions[3] = {};
    QAction* m_radiusActions[4] = {};
    QAction* m_popupContour = nullptr;
    QAction* m_popupBanZone = nullptr;
    QAction* m_eraseOutline = nullptr;
    QAction* m_eraseZones = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_progressText = nullptr;
    QComboBox* m_method = nullptr;
    QString m_hint;
    int m_runFirst = 0;
    bool m_runEnding = false;
    int m_runStep = 1;
    TConnections m_links; // to the driver and the view, for the panel's lifetime
};

} // namespace kinoval::tracking
