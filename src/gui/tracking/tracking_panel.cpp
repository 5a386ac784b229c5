#include "gui/tracking/tracking_panel.h"

#include "core/common/texts.h"
#include "core/document/data.h"
#include "core/settings/options.h"
#include "core/tracking/tracking.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace kinoval::tracking {
namespace {

// The view's hints are written "short|long"; the view shows the long part.
QString LongHint(const char* text)
{
    const QString hint = Q(Tr(text));
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

constexpr const char* kHintFreeHand = TrNoop(
    "|Bouton gauche 1er clic = débuter le tracé ; bouton gauche 2ème clic = terminer ; bouton droit = effacer");
constexpr const char* kHintPolygon
    = TrNoop("|Bouton gauche = ajouter un sommet au polygone ; double clic du bouton gauche = "
             "terminer ; bouton droit = effacer");
constexpr const char* kHintCircle = TrNoop(
    "|Bouton gauche 1er clic = centre du cercle ; bouton gauche 2ème clic = terminer ; bouton droit = effacer");

constexpr int kRadiusChoices[3] = { 20, 40, 60 };

// The shape as the settings file keeps it: 1 polygon, 2 free-hand, anything else the circle.
int StoredShape(int shape)
{
    return shape == osPolygon ? 1 : shape == osFreeHand ? 2 : 0;
}

} // namespace

TTrackingSettings TrackingSettingsOf(const TOptions& options)
{
    TTrackingSettings settings;
    settings.searchRadius = options.trackingRadius;
    settings.storedShape = options.trackingShape;
    settings.showSearchZone = options.showSearchRadius;
    settings.method = options.trackingMethod == tmTemplate ? tmTemplate : tmMeanShift;
    return settings;
}

TTrackingPanel::TTrackingPanel(TTracking& tracking, video::TVideo& video, document::TData& data, TOptions& options,
    TCustomUserDlg& dialog, TDesktopServices& desktop, QWidget* parent)
    : QWidget(parent)
    , m_tracking(tracking)
    , m_video(video)
    , m_data(data)
    , m_options(options)
    , m_dialog(dialog)
    , m_desktop(desktop)
{
    setObjectName(QStringLiteral("TrackingPanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_contour = AddButton("ButtonTrackContour", TrNoop("Contour"), TrNoop("Dessiner le contour de l'objet à suivre"));
    // The outline's shape and the search radius have buttons of their own beside the tools they tune: a
    // button split into an action and a menu offers only its menu to assistive tools.
    m_shapeButton = AddButton("ButtonTrackForme", TrNoop("Forme"), TrNoop("Choisir la forme du contour à dessiner"));
    m_banZone = AddButton("ButtonTrackBanZone", TrNoop("Zone ignorée"), TrNoop("Dessiner une zone à ignorer"));
    m_sequence = AddButton("ButtonTrackSequence", TrNoop("Séquence"), TrNoop("Choisir la dernière image du suivi"));
    m_suivi = AddButton("ButtonTrackSuivi", TrNoop("Suivi"), TrNoop("Lancer ou arrêter le suivi automatique"));
    m_radiusButton = AddButton("ButtonTrackRayon", TrNoop("Rayon"), TrNoop("Choisir le rayon de la zone de recherche"));
    m_numMarque = AddButton("ButtonTrackNumMarque", TrNoop("Objet"), TrNoop("Choisir l'objet à suivre"));
    m_eraseContourButton
        = AddButton("ButtonTrackEffacerContour", TrNoop("Effacer contour"), TrNoop("Effacer le contour de l'objet"));
    m_eraseTrackButton
        = AddButton("ButtonTrackEffacerTrack", TrNoop("Effacer suivi"), TrNoop("Effacer les positions suivies"));
    m_eraseBanZoneButton
        = AddButton("ButtonTrackEffacerBanZone", TrNoop("Effacer zone"), TrNoop("Effacer la dernière zone ignorée"));
    m_contour->setCheckable(true);
    m_banZone->setCheckable(true);

    // The tracker: by the object's colours, or by its pattern for a small or colourless object.
    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("ComboBoxTrackMethod"));
    m_method->addItem(Q(Tr("Couleurs")));
    m_method->addItem(Q(Tr("Motif")));
    m_method->setItemData(tmMeanShift,
        Q(Tr("Suivre l'objet par ses couleurs (histogramme et mean shift) : pour un objet coloré, même s'il tourne")),
        Qt::ToolTipRole);
    m_method->setItemData(tmTemplate,
        Q(Tr("Suivre l'objet par son motif (corrélation avec son image) : pour un objet petit ou sans couleur propre")),
        Qt::ToolTipRole);
    m_method->setToolTip(Q(Tr("Méthode de suivi : par les couleurs de l'objet ou par son motif")));
    m_method->setAccessibleName(Q(Tr("Méthode de suivi")));
    m_method->setCurrentIndex(m_tracking.Method());
    auto* methodLabel = new QLabel(Q(Tr("Méthode :")), this);
    methodLabel->setBuddy(m_method);
    layout->addWidget(methodLabel);
    layout->addWidget(m_method);
    connect(m_method, QOverload<int>::of(&QComboBox::activated), this, [this](int k) {
        m_tracking.SetMethod(k);
        m_options.trackingMethod = m_tracking.Method();
        UpdateControls();
    });

    m_progressText = new QLabel(this);
    m_progressText->setObjectName(QStringLiteral("LabelTrackProgress"));
    // The progress takes the room the tool bar has left: showing it never widens the window.
    m_progressText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progressText->setMinimumWidth(40);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBarTrack"));
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_progress->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progress->setMinimumWidth(60);
    m_progressText->hide();
    m_progress->hide();
    layout->addWidget(m_progressText, 3);
    layout->addWidget(m_progress, 1);
    layout->addStretch(0);

    // The outline's shape.
    m_shapeMenu = new QMenu(Q(Tr("Forme du contour")), this);
    m_shapeMenu->setObjectName(QStringLiteral("MenuMesuresForme"));
    m_shapeGroup = new QActionGroup(this);
    const char* shapeNames[3] = { "MenuMesuresFormeLibre", "MenuMesuresFormePolygone", "MenuMesuresFormeCercle" };
    const char* shapeCaptions[3] = { TrNoop("Forme libre"), TrNoop("Polygone"), TrNoop("Cercle") };
    for (int k = 0; k < 3; ++k) {
        QAction* a = m_shapeMenu->addAction(Q(Tr(shapeCaptions[k])));
        a->setObjectName(QLatin1String(shapeNames[k]));
        a->setCheckable(true);
        m_shapeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, k] {
            m_tracking.SetShape(k);
            m_options.trackingShape = StoredShape(k);
            UpdateHint();
            UpdateControls();
        });
        m_shapeActions[k] = a;
    }

    // The search radius.
    m_radiusMenu = new QMenu(Q(Tr("Rayon de recherche")), this);
    m_radiusMenu->setObjectName(QStringLiteral("MenuMesuresEspace"));
    m_radiusGroup = new QActionGroup(this);
    const char* radiusNames[4] = { "MenuMesuresEspaceChoix1", "MenuMesuresEspaceChoix2", "MenuMesuresEspaceChoix3",
        "MenuMesuresEspaceChoixAutres" };
    for (int k = 0; k < 4; ++k) {
        const QString caption
            = k < 3 ? Q(FormatText(Tr("%s pixels"), { std::to_string(kRadiusChoices[k]) })) : Q(Tr("Autre valeur ..."));
        QAction* a = m_radiusMenu->addAction(caption);
        a->setObjectName(QLatin1String(radiusNames[k]));
        a->setCheckable(true);
        m_radiusGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, k] {
            if (k < 3) {
                m_tracking.SetSearchRadius(kRadiusChoices[k]);
            } else {
                TTrackNumberRequest request;
                request.caption = Tr("Rayon de recherche");
                request.label = Tr("Rayon de la zone de recherche en pixel(s)");
                request.value = m_tracking.SearchRadius();
                request.minimum = TTracking::kMinRadius;
                request.maximum = TTracking::kMaxRadius;
                int n = 0;
                if (AskNumber(request, n))
                    m_tracking.SetSearchRadius(n);
            }
            m_options.trackingRadius = m_tracking.SearchRadius();
            UpdateControls();
        });
        m_radiusActions[k] = a;
    }
    // Split buttons whose both halves open the menu: such a button shows its menu's entries to assistive
    // tools, where a button that only pops its menu up hides them.
    for (auto [button, menu] : { std::pair { m_shapeButton, m_shapeMenu }, { m_radiusButton, m_radiusMenu } }) {
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        connect(button, &QToolButton::clicked, button, &QToolButton::showMenu);
    }

    // The view's popup entries do what the two drawing buttons do.
    m_popupContour = new QAction(m_contour->text(), this);
    m_popupContour->setObjectName(QStringLiteral("PopupMenuTrackContour"));
    m_popupContour->setCheckable(true);
    m_popupBanZone = new QAction(m_banZone->text(), this);
    m_popupBanZone->setObjectName(QStringLiteral("PopupMenuTrackBanZone"));
    m_popupBanZone->setCheckable(true);
    m_eraseOutline = new QAction(Q(Tr("Effacer le contour")), this);
    m_eraseOutline->setObjectName(QStringLiteral("MenuAffichageEffacerContour"));
    m_eraseZones = new QAction(Q(Tr("Effacer les zones ignorées")), this);
    m_eraseZones->setObjectName(QStringLiteral("MenuAffichageEffacerBanZones"));

    // A click toggles a checkable button, and so does an assistive tool: the commands follow the toggle,
    // and the panel's own updates of the buttons are silent.
    connect(m_contour, &QToolButton::toggled, this, [this](bool down) { ContourClicked(down); });
    connect(m_banZone, &QToolButton::toggled, this, [this](bool down) { BanZoneClicked(down); });
    connect(m_popupContour, &QAction::triggered, this, [this](bool down) { ContourClicked(down); });
    connect(m_popupBanZone, &QAction::triggered, this, [this](bool down) { BanZoneClicked(down); });
    connect(m_sequence, &QToolButton::clicked, this, [this] { SequenceClicked(); });
    connect(m_suivi, &QToolButton::clicked, this, [this] { SuiviClicked(); });
    connect(m_numMarque, &QToolButton::clicked, this, [this] { NumMarqueClicked(); });
    auto eraseOutline = [this] {
        m_tracking.EraseOutline();
        UpdateControls();
        emit trackingChanged();
    };
    connect(m_eraseContourButton, &QToolButton::clicked, this, eraseOutline);
    connect(m_eraseOutline, &QAction::triggered, this, eraseOutline);
    connect(m_eraseTrackButton, &QToolButton::clicked, this, [this] { EraseMarks(); });
    connect(m_eraseBanZoneButton, &QToolButton::clicked, this, [this] {
        m_tracking.EraseLastZone();
        UpdateControls();
        emit trackingChanged();
    });
    connect(m_eraseZones, &QAction::triggered, this, [this] {
        m_tracking.EraseZones();
        UpdateControls();
        emit trackingChanged();
    });

    // The panel listens to the driver and is the view's tracker.
    m_links += m_tracking.OnRunStarted.Connect([this] { RunStarted(); });
    m_links += m_tracking.OnFrameTracked.Connect([this](int frame) { FrameTracked(frame); });
    m_links += m_tracking.OnRunEnded.Connect([this] { RunEnded(); });
    m_links += m_tracking.OnDrawingModeSet.Connect([this] { SetDrawingButtons(m_tracking.DrawingMode()); });
    m_video.SetTrackerReceiver(&m_tracking);
    m_links += m_video.notify.trackingEntered.Connect([this] { Activate(); });
    m_links += m_video.notify.trackingLeft.Connect([this] { Deactivate(); });
    m_links += m_video.notify.trackingPauseAsked.Connect([this] { Stop(); });
    // The tracker follows as many objects as the document points on a frame.
    m_links += m_data.Changed.Connect([this](const document::TDocChange& change) {
        if (change.kind == document::TDocChangeKind::MarksPerFrame && !m_tracking.Running())
            ObjectsChanged();
    });

    UpdateControls();
}

TTrackingPanel::~TTrackingPanel()
{
    m_video.SetTrackerReceiver(nullptr);
}

QToolButton* TTrackingPanel::AddButton(const char* name, const char* caption, const char* hint)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(Q(Tr(caption)));
    button->setToolTip(Q(Tr(hint)));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(button);
    return button;
}

QToolButton* TTrackingPanel::Button(const char* objectName) const
{
    return findChild<QToolButton*>(QLatin1String(objectName));
}

bool TTrackingPanel::AskNumber(const TTrackNumberRequest& request, int& value)
{
    if (askNumber)
        return askNumber(request, value);
    bool ok = false;
    const int n = QInputDialog::getInt(
        this, Q(request.caption), Q(request.label), request.value, request.minimum, request.maximum, 1, &ok);
    if (ok)
        value = n;
    return ok;
}

// ------------------------------------------------------------------------------------------ mode

void TTrackingPanel::Activate()
{
    m_tracking.SetShowSearchZone(m_options.showSearchRadius);
    m_tracking.Reset();
    m_progressText->hide();
    SetDrawingButtons(dmNone);
    UpdateControls();
}

void TTrackingPanel::Deactivate()
{
    // A run in progress ends after its current frame; what it found so far is offered like the rest.
    if (m_tracking.Running())
        m_tracking.Run();
    m_tracking.OfferToKeep();
    m_tracking.SetDrawingMode(dmNone);
    SetDrawingButtons(dmNone);
    m_hint.clear();
    emit viewHintChanged(m_hint);
    UpdateControls();
}

void TTrackingPanel::Stop()
{
    if (m_tracking.Running())
        m_tracking.Run();
}

void TTrackingPanel::EraseMarks()
{
    m_tracking.EraseTracking();
    UpdateControls();
    emit trackingChanged();
}

void TTrackingPanel::EraseAll()
{
    m_tracking.EraseAll();
    UpdateControls();
    emit trackingChanged();
}

void TTrackingPanel::ObjectsChanged()
{
    m_tracking.Resize();
    m_video.CursorMayHaveChanged();
    UpdateControls();
}

void TTrackingPanel::BuildOverlay(video::TOverlay& overlay) const
{
    m_tracking.Paint(overlay);
}

// --------------------------------------------------------------------------------------- buttons

void TTrackingPanel::SetDrawingButtons(int mode)
{
    const QSignalBlocker quietContour(m_contour);
    const QSignalBlocker quietZone(m_banZone);
    m_contour->setChecked(mode == dmOutline);
    m_popupContour->setChecked(mode == dmOutline);
    m_banZone->setChecked(mode == dmZone);
    m_popupBanZone->setChecked(mode == dmZone);
    UpdateHint();
}

void TTrackingPanel::UpdateHint()
{
    QString hint;
    if (m_tracking.DrawingMode() == dmOutline) {
        const int shape = m_tracking.Shape();
        hint = LongHint(shape == osFreeHand ? kHintFreeHand : shape == osPolygon ? kHintPolygon : kHintCircle);
    }
    if (hint != m_hint) {
        m_hint = hint;
        emit viewHintChanged(m_hint);
    }
}

void TTrackingPanel::ContourClicked(bool down)
{
    if (m_tracking.Running())
        return;
    m_tracking.SetDrawingMode(down ? dmOutline : dmNone);
    SetDrawingButtons(m_tracking.DrawingMode()); // refused without a video: the button comes up again
    m_video.Repaint();
}

void TTrackingPanel::BanZoneClicked(bool down)
{
    if (m_tracking.Running())
        return;
    m_tracking.SetDrawingMode(down ? dmZone : dmNone);
    SetDrawingButtons(m_tracking.DrawingMode());
    m_video.Repaint();
}

void TTrackingPanel::SequenceClicked()
{
    if (m_tracking.Running() || !m_tracking.SequenceCheck())
        return;
    const int count = m_video.FrameCount();
    const int first = m_tracking.Object(m_tracking.CurrentObject()).firstFrame;
    // The dialog counts frames from 1, as the frame number box does.
    TTrackNumberRequest request;
    request.caption = Tr("Dernière image du suivi");
    request.label = Tr("Numéro de la dernière image de la séquence");
    request.minimum = first + 2;
    request.maximum = count;
    request.value = std::clamp(m_tracking.LastFrame() + 1, request.minimum, request.maximum);
    int n = 0;
    if (AskNumber(request, n))
        m_tracking.SetLastFrame(n - 1);
    UpdateControls();
}

void TTrackingPanel::SuiviClicked()
{
    if (m_tracking.Running()) {
        m_tracking.Run(); // stops the run after its current frame
        return;
    }
    if (!m_tracking.StartCheck())
        return;
    m_tracking.Run();
}

void TTrackingPanel::NumMarqueClicked()
{
    if (m_tracking.Running())
        return;
    if (m_tracking.ObjectCount() != std::max(1, m_data.FixedSet().MarksNumberPerFrame))
        m_tracking.Resize();
    TTrackNumberRequest request;
    request.caption = Tr("Objet à suivre");
    request.label = Tr("Numéro de l'objet à suivre");
    request.minimum = 1;
    request.maximum = std::max(1, m_tracking.ObjectCount());
    request.value = m_tracking.CurrentObject() + 1;
    int n = 0;
    if (AskNumber(request, n))
        m_tracking.SetCurrentObject(n - 1);
    UpdateControls();
}

// ------------------------------------------------------------------------------------------- run

void TTrackingPanel::RunStarted()
{
    const TTrackedObject& o = m_tracking.Object(m_tracking.CurrentObject());
    m_runFirst = o.firstFrame;
    m_runStep = std::max(1, m_data.FramesNumberBetweenTwoMarks());
    const int frames = std::max(0, m_tracking.LastFrame() - m_runFirst) / m_runStep + 1;
    m_progress->setRange(0, frames);
    m_progress->setValue(1);
    m_progressText->setText(Q(FormatText(Tr("Image %s sur %s"), { "1", std::to_string(frames) })));
    m_progressText->setToolTip(QString());
    m_progress->show();
    m_progressText->show();
    m_suivi->setText(Q(Tr("Arrêter")));
    UpdateControls();
    emit runStarted();
}

void TTrackingPanel::FrameTracked(int frame)
{
    const int index = (frame - m_runFirst) / m_runStep + 1;
    m_progress->setValue(std::min(index, m_progress->maximum()));
    m_progressText->setText(
        Q(FormatText(Tr("Image %s sur %s"), { std::to_string(index), std::to_string(m_progress->maximum()) })));
}

void TTrackingPanel::RunEnded()
{
    m_progress->hide();
    m_progressText->hide();
    // A run that lost the object says where until the next one: the user draws the outline there again.
    const TTrackedObject& o = m_tracking.Object(m_tracking.CurrentObject());
    if (o.lostFrame >= 0) {
        m_progressText->setText(Q(FormatText(Tr("Objet perdu à l'image %s"), { std::to_string(o.lostFrame + 1) })));
        m_progressText->setToolTip(Q(Tr("Redessiner le contour de l'objet sur cette image, puis relancer le suivi")));
        m_progressText->show();
    }
    m_suivi->setText(Q(Tr("Suivi")));
    // The driver clears its running flag just after this notification: whoever listens to it and asks
    // for the controls meanwhile must find them as they are after the run.
    m_runEnding = true;
    UpdateControlsFor(false);
    emit runEnded();
    emit trackingChanged();
    m_runEnding = false;
}

void TTrackingPanel::UpdateControls()
{
    UpdateControlsFor(m_tracking.Running() && !m_runEnding);
}

void TTrackingPanel::UpdateControlsFor(bool running)
{
    const bool open = m_video.IsOpened();
    const bool idle = open && !running;
    for (QToolButton* b : { m_contour, m_shapeButton, m_banZone, m_sequence, m_radiusButton, m_numMarque,
             m_eraseContourButton, m_eraseTrackButton, m_eraseBanZoneButton })
        b->setEnabled(idle);
    m_suivi->setEnabled(open);
    m_method->setEnabled(!running);
    m_method->setCurrentIndex(m_tracking.Method());
    m_popupContour->setEnabled(idle);
    m_popupBanZone->setEnabled(idle);
    m_eraseOutline->setEnabled(idle);
    m_eraseZones->setEnabled(idle && m_tracking.ZoneCount() > 0);
    m_shapeActions[std::clamp(m_tracking.Shape(), 0, 2)]->setChecked(true);
    const int radius = m_tracking.SearchRadius();
    int choice = 3;
    for (int k = 0; k < 3; ++k)
        if (kRadiusChoices[k] == radius)
            choice = k;
    m_radiusActions[choice]->setChecked(true);
}

} // namespace kinoval::tracking
