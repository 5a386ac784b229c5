#include "gui/mainwindow/main_form.h"

#include "core/common/desktop_services.h"
#include "core/common/folders.h"
#include "core/common/ini_file.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/mainwindow/help.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/montage/record_commands.h"
#include "core/results/results_set.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/tracking/tracking.h"
#include "core/video/document_link.h"
#include "core/video/studio.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/help_window.h"
#include "gui/mainwindow/mru_menu.h"
#include "gui/mainwindow/recovery_hook.h"
#include "gui/montage/montage_panel.h"
#include "gui/montage/record_ui.h"
#include "gui/results/res_form.h"
#include "gui/tracking/tracking_panel.h"
#include "gui/video/sample_videos.h"
#include "gui/video/studio_panel.h"
#include "gui/video/video_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <numbers>

static void InitMainWindowResources()
{
    Q_INIT_RESOURCE(mainwindow);
}

namespace kinoval::gui {

namespace {

using C = mainwindow::TCommand;

QString Icon(const char* name)
{
    return QStringLiteral(":/mainwindow/%1.svg").arg(QLatin1String(name));
}

// The settings of the window's place, in section MainForm beside the recent files' folder.
constexpr const char* kPlaceSection = "MainForm";

} // namespace

// The central area: holds the view at the largest size of the frame's aspect ratio, centred.
class TViewFrame : public QWidget {
public:
    TViewFrame(video::TVideo& video, QWidget* parent)
        : QWidget(parent)
        , m_video(video)
    {
        setObjectName(QStringLiteral("PanelVideo"));
        setMinimumSize(160, 120);
    }
    void SetView(QWidget* view) { m_view = view; }
    void Fit()
    {
        if (m_view == nullptr)
            return;
        const QSize frame = m_video.IsOpened() ? QSize(m_video.FrameWidth(), m_video.FrameHeight()) : QSize(640, 480);
        const QSize fitted = TMainForm::FittedViewSize(size(), frame);
        m_view->setGeometry(
            (width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(), fitted.height());
    }

protected:
    void resizeEvent(QResizeEvent*) override { Fit(); }

private:
    video::TVideo& m_video;
    QWidget* m_view = nullptr;
};

QSize TMainForm::FittedViewSize(QSize area, QSize frame)
{
    if (frame.width() <= 0 || frame.height() <= 0 || area.width() <= 0 || area.height() <= 1)
        return QSize(0, 0);
    const double factor = std::min(
        static_cast<double>(area.width()) / frame.width(), static_cast<double>(area.height() - 1) / frame.height());
    return QSize(static_cast<int>(frame.width() * factor), static_cast<int>(frame.height() * factor));
}

TMainForm::TMainForm(const TMainFormParts& parts, QWidget* parent)
    : QMainWindow(parent)
    , m_parts(parts)
{
    InitMainWindowResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kinoval"));

    m_input = std::make_unique<video::TDocumentInput>(m_parts.data, m_parts.video);
    m_links += video::LinkDocument(m_parts.video, m_parts.data, *m_input);
    m_links += montage::ConnectMontage(
        m_parts.montage, m_parts.data, m_parts.video, [this] { return m_parts.options.explainHiddenFrames; });

    mainwindow::TStudyParts study { m_parts.dialog, m_parts.desktop, m_parts.video, m_parts.data, m_parts.options,
        m_parts.mru, &m_parts.montage, &m_parts.formules, &m_modelChoices };
    m_commands = std::make_unique<mainwindow::TStudyCommands>(study);
    m_checks = std::make_unique<mainwindow::TResultsChecks>(
        mainwindow::TResultsCheckParts { m_parts.data, m_parts.options, m_parts.dialog, ScalePictures(), false });

    // The results window makes the results and tables follow the view's marking mode.
    m_resForm = std::make_unique<TResForm>(
        TResFormParts { m_parts.results, m_parts.serveur, m_parts.options, m_parts.dialog, m_parts.desktop,
            m_parts.data, m_parts.video, m_parts.formules, m_parts.settingsPath, &m_modelChoices },
        this);
    // A formula typed after the last save is a change of the study, which the title shows.
    m_resForm->formulasChanged = [this] { UpdateTitle(); };
    m_resForm->modelsChanged = [this] { UpdateTitle(); };
    showResultsWindow = [this](results::TResultsPage page) {
        m_resForm->ShowPage(page);
        if (!m_resultsPlaced)
            PlaceResultsWindow();
        // A window closed by its user comes back, and one hidden behind the main window comes to the front.
        m_resForm->show();
        m_resForm->setWindowState(m_resForm->windowState() & ~Qt::WindowMinimized);
        m_resForm->raise();
        m_resForm->activateWindow();
    };

    m_frame = new TViewFrame(m_parts.video, this);
    m_view = new video::TVideoWidget(m_parts.video, m_frame);
    m_view->setObjectName(QStringLiteral("Video"));
    m_view->setAccessibleName(T("Image de la vidéo"));
    m_view->buildOverlay = [this](video::TVideoMode mode, video::TOverlay& overlay) {
        if (mode == video::vmFixedPointing || mode == video::vmTransparentPointing)
            video::BuildDocumentOverlay(m_parts.data, m_parts.video, overlay);
        else if (mode == video::vmTracking && m_trackingPanel != nullptr)
            m_trackingPanel->BuildOverlay(overlay);
        else if (mode == video::vmWorkshop && m_studio != nullptr)
            m_studio->BuildOverlay(overlay);
    };
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->installEventFilter(this);
    m_frame->SetView(m_view);
    setCentralWidget(m_frame);

    BuildMenus();
    BuildBars();
    BuildViewPopup();
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("StatusBarHint"));
    statusBar()->addWidget(m_hint, 1);
    Wire();
    BuildModePanels();
    ApplySettings();
    RestorePlace();
    UpdateAll();
}

TMainForm::~TMainForm()
{
    // The connections end first; then the panels, which listen to the tracker and the montage.
    m_links.Clear();
    delete m_trackingPanel;
    delete m_montagePanel;
    delete m_studioPanel;
    // The view and the document outlive the window: leave them without references into it.
    m_parts.video.SetWorkshopReceiver(nullptr);
    m_parts.video.hooks.processPendingEvents = nullptr;
    m_parts.video.SetPointingReceiver(nullptr);
    m_parts.data.SetView(nullptr);
}

void TMainForm::Wire()
{
    video::TVideo& v = m_parts.video;
    m_links += v.notify.framePainted.Connect([this] { UpdateFrameBox(); });
    m_links += v.notify.zoomChanged.Connect([this] { UpdateZoomBox(); });
    m_links += v.notify.navigationToolChosen.Connect([this] {
        UpdateCommands();
        UpdateStatusHint();
    });
    m_links += v.notify.modeChanged.Connect([this] {
        DocumentChanged();
        if (m_recovery != nullptr)
            m_recovery->ModeChanged();
    });
    m_links += v.notify.playersOpened.Connect([this] {
        FitView();
        UpdateAll();
    });
    m_links += v.notify.playersClosed.Connect([this] { UpdateAll(); });
    m_links += v.notify.waitAbort.Connect([this] { UpdateCommands(); });
    m_links += v.notify.message.Connect(
        [this](const std::string& text) { m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning, { text }); });
    m_links += v.notify.transparentPointingEntered.Connect([this] { m_parts.data.SetTool(document::toTransparent); });
    v.hooks.processPendingEvents = [this] { m_parts.desktop.ProcessPendingEvents(); };

    m_links += m_parts.data.Changed.Connect([this](const document::TDocChange&) { DocumentChanged(); });
    m_links += m_parts.options.OnChange.Connect([this] { ApplySettings(); });

    m_commands->videoOpened = [this] {
        FitView();
        DocumentChanged(); // a results window on the screen shows the new study
        m_view->setFocus();
        if (m_recovery != nullptr)
            m_recovery->StudyReplaced();
    };
    m_commands->videoOpenFailed = [this] { UpdateAll(); };
    m_commands->studyLoaded = [this] { DocumentChanged(); };
    m_commands->studySaved = [this](const std::string& path) {
        statusBar()->showMessage(T("Etude enregistrée dans") + QStringLiteral(" ") + Q(path), 8000);
        UpdateTitle();
        if (m_recovery != nullptr)
            m_recovery->StudySaved();
    };
    m_record = std::make_unique<montage::TRecordCommands>(montage::TRecordParts {
        m_parts.dialog, m_parts.desktop, m_parts.video, m_parts.montage, m_parts.mru, m_parts.settingsPath });
    m_recordUi = new montage::TRecordUi(*m_record, m_parts.dialog, this);
    m_record->repaint = [this] {
        RedrawView();
        UpdateFrameBox();
    };
    m_links += m_record->OnRecordingChanged.Connect([this](bool) { UpdateCommands(); });
    m_commands->isRecording = [this] { return m_record->IsRecording(); };

    m_links += m_parts.mru.OnClick.Connect([this](const std::string& path) {
        // Later: the menu is rebuilt while one of its entries is being triggered.
        QMetaObject::invokeMethod(
            this, [this, path] { m_commands->Open(path); }, Qt::QueuedConnection);
    });
    m_links += m_parts.mru.OnListChange.Connect([this] { RebuildRecentFilesMenu(*m_recentMenu, m_parts.mru); });
    RebuildRecentFilesMenu(*m_recentMenu, m_parts.mru);
}

void TMainForm::BuildModePanels()
{
    // The tracking panel makes itself the view's tracker: entering and leaving the mode, pause, input.
    m_trackingPanel = new tracking::TTrackingPanel(
        m_parts.tracking, m_parts.video, m_parts.data, m_parts.options, m_parts.dialog, m_parts.desktop, this);
    m_montagePanel = new montage::TMontagePanel(
        m_parts.montage, m_parts.video, m_parts.data, m_parts.options, m_parts.dialog, this);

    // The view's popup entries of the tracking mode are the panel's own, in place of the placeholders.
    const std::pair<TCommand, QAction*> entries[] = { { C::PopupTrackContour, m_trackingPanel->PopupContourAction() },
        { C::PopupTrackBanZone, m_trackingPanel->PopupBanZoneAction() } };
    for (const auto& [command, action] : entries) {
        QAction*& placeholder = m_actions[mainwindow::Index(command)];
        action->setText(placeholder->text());
        action->setObjectName(placeholder->objectName());
        m_popup->insertAction(placeholder, action);
        m_popup->removeAction(placeholder);
        delete placeholder;
        placeholder = action;
    }
    connect(m_trackingPanel, &tracking::TTrackingPanel::viewHintChanged, m_hint, &QLabel::setText);
    connect(m_trackingPanel, &tracking::TTrackingPanel::runEnded, this, [this] { UpdateAll(); });
    connect(m_trackingPanel, &tracking::TTrackingPanel::trackingChanged, this, [this] { UpdateCommands(); });
    connect(m_montagePanel, &montage::TMontagePanel::montageChanged, this, [this] { UpdateAll(); });
    connect(
        m_montagePanel, &montage::TMontagePanel::recordClicked, this, [this] { Run(C::FichierEnregistrerMontage); });

    // The workshop: its outlines get the view's mouse in its mode.
    m_studio = std::make_unique<video::TStudio>(m_parts.video, m_parts.dialog, m_parts.desktop);
    m_studio->framesBetweenMarks = [this] { return m_parts.data.FramesNumberBetweenTwoMarks(); };
    m_studio->folder = [this]() -> std::string& { return m_parts.mru.Directory; };
    m_studio->changed = [this] { UpdateCommands(); };
    m_parts.video.SetWorkshopReceiver(m_studio.get());
    m_studioPanel = new video::TStudioPanel(*m_studio, m_parts.video, m_parts.options, this);
    connect(m_studioPanel, &video::TStudioPanel::decomposeClicked, this, [this] { Run(C::FichierDecomposer); });
    connect(m_studioPanel, &video::TStudioPanel::assembleClicked, this, [this] { Run(C::FichierAssembler); });
    m_links += m_parts.video.notify.workshopEntered.Connect([this] {
        m_parts.data.SetTool(document::toNone);
        m_studio->Reset();
        m_studioPanel->UpdateControls();
    });

    SetModeToolPanel(video::vmTracking, m_trackingPanel);
    SetModeToolPanel(video::vmMontage, m_montagePanel);
    SetModeToolPanel(video::vmWorkshop, m_studioPanel);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_editImage) {
            AskFrameNumber();
            return true;
        }
        if (watched == m_editZoom) {
            m_parts.video.ResetZoom();
            UpdateZoomBox();
            return true;
        }
        if (watched == m_editAngle) {
            AskAngle();
            return true;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Shift and the right button open the tools' menu; the right button alone belongs to the tools.
        if (watched == m_view && mouse->button() == Qt::RightButton && (mouse->modifiers() & Qt::ShiftModifier)) {
            m_popup->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == m_view && event->type() == QEvent::ContextMenu) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard) {
            m_popup->popup(menu->globalPos());
            return true;
        }
        return true; // the mouse's context menu is the tools' right button
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::OpenRecordedVideo(const std::string& path)
{
    ChooseMode(video::vmFixedPointing);
    if (m_parts.video.Mode() == video::vmCapture)
        return;
    m_commands->Open(path);
    UpdateAll();
}

bool TMainForm::OpenSampleVideo(TSample sample)
{
    InitSampleVideos();
    const QStringList written = WriteSampleVideos(Q(TemporaryFolder()));
    if (written.size() < 2) {
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icWarning, { Tr("Impossible d'écrire le fichier vidéo sur le disque") });
        return false;
    }
    const QString& chosen = written[sample == TSample::RollingCylinder ? 0 : 1];
    return m_commands->Open(chosen.toStdString());
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FitView();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!m_commands->ConfirmBeforeClosing()) {
        event->ignore();
        return;
    }
    m_parts.video.Stop();
    if (closing)
        closing();
    m_resForm->close();
    StorePlace();
    if (m_recovery != nullptr)
        m_recovery->Closed();
    event->accept();
}

void TMainForm::RestorePlace()
{
    if (m_parts.settingsPath.empty()) {
        resize(1024, 720);
        return;
    }
    TIniFile ini;
    ini.Load(m_parts.settingsPath);
    m_parts.mru.SetMaximum(m_parts.options.recentFilesMax);
    m_parts.mru.ReadList(ini);
    m_parts.mru.ReadFolder(ini);
    const int w = ini.ReadInt(kPlaceSection, "Width", 1024);
    const int h = ini.ReadInt(kPlaceSection, "Height", 720);
    resize(std::max(w, 480), std::max(h, 360));
    if (ini.ValueExists(kPlaceSection, "Left") && ini.ValueExists(kPlaceSection, "Top"))
        move(ini.ReadInt(kPlaceSection, "Left", 0), ini.ReadInt(kPlaceSection, "Top", 0));
    if (ini.ReadBool(kPlaceSection, "Maximized", false))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::StorePlace()
{
    if (m_parts.settingsPath.empty())
        return;
    std::string reason;
    if (m_parts.options.Save(m_parts.settingsPath, &reason) != 0) {
        m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning, SettingsSaveFailureLines(m_parts.settingsPath, reason));
        return;
    }
    TIniFile ini;
    ini.Load(m_parts.settingsPath);
    m_parts.mru.WriteList(ini);
    m_parts.mru.WriteFolder(ini);
    const bool maximized = isMaximized();
    const QRect place = maximized ? normalGeometry() : geometry();
    ini.WriteInteger(kPlaceSection, "Left", place.x());
    ini.WriteInteger(kPlaceSection, "Top", place.y());
    ini.WriteInteger(kPlaceSection, "Width", place.width());
    ini.WriteInteger(kPlaceSection, "Height", place.height());
    ini.WriteBool(kPlaceSection, "Maximized", maximized);
    if (ini.SaveAs(m_parts.settingsPath) != 0)
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icWarning, SettingsSaveFailureLines(m_parts.settingsPath, ini.LastErrorText()));
}

void TMainForm::ApplySettings()
{
    const TOptions& o = m_parts.options;
    m_parts.data.ApplySettings(mainwindow::DocumentSettingsOf(o));
    m_parts.mru.SetMaximum(o.recentFilesMax);
    if (m_resForm)
        m_resForm->ApplyOptions();
    // The workshop's shape as the settings dialog chose it.
    if (m_studio != nullptr && m_studio->ShapeKind() != video::ShapeOfSetting(o.workshopShape))
        m_studio->SetShapeKind(video::ShapeOfSetting(o.workshopShape));
    if (m_view != nullptr)
        RedrawView();
    UpdateAll();
}

void TMainForm::RedrawView()
{
    m_parts.data.RefreshScreenPositions();
    m_parts.video.Repaint();
    m_view->update();
}

void TMainForm::ShowHelpPages()
{
    // The desktop's browser when it has one; else the pages in a window of the program's own, so that the
    // help never depends on what the machine has registered for HTML.
    ShowHelp(HelpFolders(ProgramFolder()), m_parts.desktop, m_parts.dialog, [this](const std::string& file) {
        if (m_helpWindow == nullptr)
            m_helpWindow = new THelpWindow(this);
        if (!m_helpWindow->ShowFile(Q(file)))
            return false;
        m_helpWindow->show();
        m_helpWindow->raise();
        m_helpWindow->activateWindow();
        return true;
    });
}

bool TMainForm::ShowResults(results::TResultsPage page)
{
    if (!m_parts.video.IsOpened() || !m_parts.video.IsPointingMode())
        return false;
    m_checks->SetTransparentPointing(m_parts.video.IsTransparentMarking());
    const int outcome = m_checks->Check();
    if (outcome == mainwindow::kResultsNameObjects) {
        OpenNamesDialog();
        return false;
    }
    if (outcome != mainwindow::kResultsGo)
        return false;
    if (!mainwindow::ComputeResults(m_parts.results, m_parts.options, m_parts.dialog))
        return false;
    if (showResultsWindow)
        showResultsWindow(page);
    return true;
}

mainwindow::TScalePictures TMainForm::ScalePictures() const
{
    return { Icon("ButtonOutilEchelle").toStdString(), Icon("ButtonOutilEchelleHoriz").toStdString(),
        Icon("ButtonOutilEchelleVert").toStdString() };
}

void TMainForm::SetModeToolPanel(video::TVideoMode mode, QWidget* panel)
{
    auto it = m_modePanels.find(mode);
    if (it != m_modePanels.end()) {
        m_toolBar->removeAction(it->second.second);
        m_modePanels.erase(it);
    }
    if (panel != nullptr) {
        QAction* place = m_toolBar->addWidget(panel);
        m_modePanels[mode] = { panel, place };
    }
    UpdateAll();
}

void TMainForm::PlaceResultsWindow()
{
    // Beside the main window when the screen has room, so that the table grows under the eyes while the
    // marks are placed; narrowed to the room left when that is wide enough; else over the main window's
    // right part.
    m_resultsPlaced = true;
    const QScreen* place = screen();
    if (place == nullptr)
        return;
    const QRect free = place->availableGeometry();
    const QRect main = frameGeometry();
    const int gap = 8;
    QSize size = m_resForm->size();
    size.setHeight(std::min(size.height(), free.height()));
    int x = main.right() + gap;
    const int room = free.right() - x;
    if (room < size.width()) {
        if (room >= 480)
            size.setWidth(room);
        else
            x = std::max(free.left(), free.right() - size.width());
    }
    const int y = std::clamp(main.top(), free.top(), std::max(free.top(), free.bottom() - size.height()));
    m_resForm->resize(size);
    m_resForm->move(x, y);
}

QSize TMainForm::ViewAreaSize() const
{
    return m_frame->size();
}

void TMainForm::FitView()
{
    m_frame->Fit();
}

void TMainForm::UpdateTitle()
{
    // The study's file, or the video of a study that has none yet; a mark while it has unsaved changes.
    const std::string& study = m_commands->StudyPath();
    const std::string shown = !study.empty() ? study : m_parts.video.IsOpened() ? m_parts.video.FileName() : "";
    if (shown.empty()) {
        setWindowTitle(QStringLiteral("Kinoval"));
        setWindowModified(false);
        return;
    }
    setWindowTitle(QFileInfo(Q(shown)).fileName() + QStringLiteral("[*] — Kinoval"));
    setWindowModified(m_commands->Modified());
}

void TMainForm::UpdateFrameBox()
{
    if (m_montagePanel != nullptr)
        m_montagePanel->UpdateControls(); // the missing-frame button follows the current frame
    const video::TVideo& v = m_parts.video;
    const bool open = v.IsOpened();
    const int count = open ? v.FrameCount() : 0;
    const int current = open ? v.CurrentMontageFrame() : 0;
    m_editImage->setText(open ? QStringLiteral("%1 / %2").arg(current + 1).arg(count) : QString());
    m_settingTrackBar = true;
    m_trackBar->setRange(0, std::max(0, count - 1));
    m_trackBar->setValue(current);
    m_settingTrackBar = false;
}

void TMainForm::UpdateZoomBox()
{
    m_editZoom->setText(QStringLiteral("%1 %").arg(m_parts.video.ZoomPercent()));
}

void TMainForm::UpdateObjectBox()
{
    const document::TData& d = m_parts.data;
    const int k = d.CurrentObject();
    QString text = QString::number(k + 1);
    if (d.ObjectsPerFrame() > 1)
        text += QStringLiteral(" / %1").arg(d.ObjectsPerFrame());
    m_editMarque->setText(T("Objet") + QLatin1Char(' ') + text);
    m_editMarque->setToolTip(
        T("Objet à pointer") + QStringLiteral(" : ") + Q(document::ShownObjectName(d.ObjectName(k))));
}

void TMainForm::UpdateAngleBox()
{
    const document::TData& d = m_parts.data;
    const bool shown = m_parts.video.Mode() == video::vmFixedPointing && d.OriginPlaced() != 0;
    m_editAngle->setEnabled(shown);
    m_editAngle->setText(shown
            ? QStringLiteral("%1°").arg(QString::number(d.XAxisAngle() * 180 / std::numbers::pi, 'f', 1))
            : QString());
}

void TMainForm::UpdateUndoCaption()
{
    std::string caption = m_parts.data.UndoCaption();
    if (caption.empty())
        caption = Tr("Annuler", "undo");
    Action(C::AffichageAnnuler)->setText(Q(caption) + QStringLiteral("  (Ctrl A)"));
}

void TMainForm::DocumentChanged()
{
    if (m_resForm)
        m_resForm->DocumentChanged();
    UpdateAll();
}

void TMainForm::UpdateAll()
{
    UpdateCommands();
    UpdateFrameBox();
    UpdateZoomBox();
    UpdateObjectBox();
    UpdateAngleBox();
    UpdateUndoCaption();
    UpdateStatusHint();
    UpdateTitle();
    if (m_trackingPanel != nullptr)
        m_trackingPanel->UpdateControls();
}

void TMainForm::UpdateStatusHint()
{
    const video::TVideo& v = m_parts.video;
    if (v.IsOpened() && v.Mode() == video::vmTracking && m_trackingPanel != nullptr
        && v.NavigationTool() == video::ntNone) {
        m_hint->setText(m_trackingPanel->ViewHint()); // the outline's shape tells how to draw it
        return;
    }
    const char* hint = mainwindow::StatusHint(WindowState());
    m_hint->setText(*hint != '\0' ? T(hint) : QString());
}

} // namespace kinoval::gui
