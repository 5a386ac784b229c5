#include "gui/video/studio_panel.h"

#include "core/settings/options.h"
#include "core/video/studio.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

namespace kinoval::video {

namespace {

// The setting's values for each shape: 2 free line, 1 polygon, 0 (any other) circle.
constexpr int kSettingOfShape[] = { 2, 1, 0 };

} // namespace

TStudioPanel::TStudioPanel(TStudio& studio, TVideo& video, TOptions& options, QWidget* parent)
    : QWidget(parent)
    , m_studio(studio)
    , m_video(video)
    , m_options(options)
{
    setObjectName(QStringLiteral("StudioPanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_draw = AddButton("ButtonStudioContour", TrNoop("Dessiner le contour de l'objet"),
        TrNoop("Bouton gauche = dessiner le contour de l'objet ; bouton droit = supprimer le contour de l'image"),
        true);
    m_erase = AddButton("ButtonStudioEffacer", TrNoop("Effacer des contours"),
        TrNoop("Bouton gauche = supprimer le contour sous le pointeur, ou ceux d'un rectangle tracé"), true);
    auto separator = [this, layout] {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        layout->addWidget(line);
    };
    separator();
    m_shapes[msFreeLine]
        = AddButton("ButtonStudioTraitLibre", TrNoop("Trait libre"), TrNoop("Contour à main levée"), true);
    m_shapes[msPolygon] = AddButton(
        "ButtonStudioPolygone", TrNoop("Polygone"), TrNoop("Contour point par point ; double clic = terminer"), true);
    m_shapes[msCircle]
        = AddButton("ButtonStudioCercle", TrNoop("Cercle"), TrNoop("Du centre du cercle vers son bord"), true);
    separator();
    QToolButton* chrono = AddButton("ButtonStudioChrono", TrNoop("Chronophotographie"),
        TrNoop("Coller les objets découpés sur une seule image et l'enregistrer"), false);
    QToolButton* frame
        = AddButton("ButtonStudioImage", TrNoop("Enregistrer l'image"), TrNoop("Enregistrer l'image courante"), false);
    separator();
    QToolButton* decompose = AddButton("ButtonStudioDecomposer", TrNoop("Décomposer en images"),
        TrNoop("Décomposer une vidéo en fichiers images"), false);
    QToolButton* assemble = AddButton("ButtonStudioAssembler", TrNoop("Assembler des images"),
        TrNoop("Créer une vidéo à partir de fichiers images"), false);
    layout->addStretch(1);

    // A press toggles a checkable button, a click as much as an assistive tool's toggle: both are heard; the
    // panel's own updates block the signal.
    connect(m_draw, &QToolButton::toggled, this, [this](bool on) {
        m_studio.SetTool(on ? stDraw : stNone);
        UpdateControls();
    });
    connect(m_erase, &QToolButton::toggled, this, [this](bool on) {
        m_studio.SetTool(on ? stErase : stNone);
        UpdateControls();
    });
    for (int shape = 0; shape < 3; ++shape)
        connect(m_shapes[shape], &QToolButton::toggled, this, [this, shape](bool on) {
            if (on)
                ChooseShape(shape);
            else
                UpdateControls(); // the chosen shape stays pressed
        });
    connect(chrono, &QToolButton::clicked, this, [this] { m_studio.ComposeChronophotograph(); });
    connect(frame, &QToolButton::clicked, this, [this] { m_studio.SaveCurrentFrame(); });
    connect(decompose, &QToolButton::clicked, this, [this] { emit decomposeClicked(); });
    connect(assemble, &QToolButton::clicked, this, [this] { emit assembleClicked(); });
    m_studio.SetShapeKind(ShapeOfSetting(m_options.workshopShape));
    UpdateControls();
}

QToolButton* TStudioPanel::AddButton(const char* name, const char* caption, const char* hint, bool checkable)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(T(caption));
    button->setAccessibleName(T(caption));
    button->setToolTip(QStringLiteral("<b>%1</b><br>%2").arg(T(caption), T(hint)));
    button->setStatusTip(T(hint));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setCheckable(checkable);
    layout()->addWidget(button);
    return button;
}

QToolButton* TStudioPanel::Button(const char* objectName) const
{
    return findChild<QToolButton*>(QLatin1String(objectName));
}

void TStudioPanel::ChooseShape(int shape)
{
    m_studio.SetShapeKind(static_cast<TModeleShape>(shape));
    m_options.workshopShape = kSettingOfShape[shape];
    UpdateControls();
}

void TStudioPanel::UpdateControls()
{
    const bool open = m_video.IsOpened();
    for (QToolButton* b : findChildren<QToolButton*>())
        b->setEnabled(open || b->objectName() == QLatin1String("ButtonStudioAssembler"));
    const QSignalBlocker a(m_draw), b(m_erase);
    m_draw->setChecked(m_studio.Tool() == stDraw);
    m_erase->setChecked(m_studio.Tool() == stErase);
    for (int shape = 0; shape < 3; ++shape) {
        const QSignalBlocker quiet(m_shapes[shape]);
        m_shapes[shape]->setChecked(m_studio.ShapeKind() == shape);
    }
}

} // namespace kinoval::video
