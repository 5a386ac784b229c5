#include "gui/montage/montage_panel.h"

#include "core/common/texts.h"
#include "core/document/data.h"
#include "core/montage/montage.h"
#include "core/results/number_format.h"
#include "core/settings/options.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>
#include <string>

namespace kinoval::montage {
namespace {

QLabel* Label(const char* text, QWidget* parent)
{
    auto* label = new QLabel(Q(Tr(text)), parent);
    label->setWordWrap(true);
    return label;
}

// Times as the results show them (no extra digits); a time that does not exist is -1 formatted the same.
std::string Time(double seconds)
{
    return results::FormatResultNumber(seconds, 0);
}

} // namespace

// ---------------------------------------------------------------------------------------- series

TSeriesDialog::TSeriesDialog(TMontage& montage, QWidget* parent)
    : QDialog(parent)
    , m_montage(montage)
{
    setObjectName(QStringLiteral("BoiteMontageSerie"));
    setWindowTitle(Q(Tr("Afficher ou masquer une série d'images")));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : { TrNoop("Cette fenêtre permet de sélectionner la partie utile du flux vidéo ou"),
             TrNoop("de modifier une précédente sélection."),
             TrNoop("Les images masquées apparaissent en négatif dans le montage."),
             TrNoop("Les marques posées sur les images masquées seront supprimées") })
        layout->addWidget(Label(line, this));

    auto* action = new QGroupBox(Q(Tr("Action")), this);
    auto* actionLayout = new QHBoxLayout(action);
    m_hide = new QRadioButton(Q(Tr("Masquer les images")), action);
    m_show = new QRadioButton(Q(Tr("Afficher les images")), action);
    m_hide->setChecked(true);
    actionLayout->addWidget(m_hide);
    actionLayout->addWidget(m_show);
    layout->addWidget(action);

    layout->addWidget(
        Label(TrNoop("Saisir le numéro des images ou des groupes d'images séparés par des points-virgules "
                     "(exemple : 1-55 ; 58 ; 73-165) :"),
            this));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("EditSerie"));
    layout->addWidget(m_text);

    auto* shortcuts = new QHBoxLayout();
    m_even = new QPushButton(Q(Tr("Toutes les images paires (2 ; 4 ; 6 ; ...)")), this);
    m_odd = new QPushButton(Q(Tr("Toutes les images impaires (1 ; 3 ; 5 ; ...)")), this);
    m_even->setAutoDefault(false);
    m_odd->setAutoDefault(false);
    shortcuts->addWidget(m_even);
    shortcuts->addWidget(m_odd);
    layout->addLayout(shortcuts);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_ok = new QPushButton(Q(Tr("&Ok")), this);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(Q(Tr("Annuler")), this);
    cancel->setAutoDefault(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_even, &QPushButton::clicked, this, [this] { FillEveryOther(2); });
    connect(m_odd, &QPushButton::clicked, this, [this] { FillEveryOther(1); });
    connect(m_ok, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSeriesDialog::FillEveryOther(int first)
{
    QStringList numbers;
    for (int n = first; n <= m_montage.FrameCount(); n += 2)
        numbers << QString::number(n);
    m_text->setText(numbers.join(QStringLiteral(";")));
}

void TSeriesDialog::OkClicked()
{
    // The montage warns about an incorrect group itself; the dialog then stays open for a correction.
    if (m_montage.ShowHideSeries(m_hide->isChecked(), m_text->text().toStdString()))
        accept();
    else
        m_text->setFocus();
}

// --------------------------------------------------------------------------------- missing frame

TMissingFrameDialog::TMissingFrameDialog(TMontage& montage, double period, QWidget* parent)
    : QDialog(parent)
    , m_montage(montage)
{
    setObjectName(QStringLiteral("BoiteMontageInstant"));
    setWindowTitle(Q(Tr("Il manque une image dans le flux vidéo")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        Label(TrNoop("Il faut modifier la durée entre les deux images qui encadrent l'image manquante."), this));
    layout->addWidget(new QLabel(
        Q(FormatText(Tr("L'intervalle de temps entre deux images successives est T = %s s."), { Time(period) })),
        this));
    layout->addWidget(Label(TrNoop("L'instant initial correspond à la première image visible du flux vidéo."), this));

    auto* grid = new QGridLayout();
    m_previous = new QLabel(this);
    m_previous->setObjectName(QStringLiteral("LabelImagePrecedente"));
    grid->addWidget(m_previous, 0, 0, 1, 4);
    grid->addWidget(new QLabel(Q(Tr("instant correspondant à l'image sélectionnée  t =")), this), 1, 0);
    m_current = new QLineEdit(this);
    m_current->setObjectName(QStringLiteral("EditInstant"));
    m_current->setReadOnly(true);
    grid->addWidget(m_current, 1, 1);
    grid->addWidget(new QLabel(Q(Tr("s")), this), 1, 2);
    m_upDown = new QSpinBox(this);
    m_upDown->setObjectName(QStringLiteral("UpDownInstant"));
    m_upDown->setRange(-32768, 32767);
    m_upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    grid->addWidget(m_upDown, 1, 3);
    m_next = new QLabel(this);
    m_next->setObjectName(QStringLiteral("LabelImageSuivante"));
    grid->addWidget(m_next, 2, 0, 1, 4);
    layout->addLayout(grid);

    auto* bottom = new QHBoxLayout();
    auto* status = Label(TrNoop("Pratique : se positionner immédiatement après l'image manquante"), this);
    status->setObjectName(QStringLiteral("StatusBarInstant"));
    bottom->addWidget(status, 1);
    auto* ok = new QPushButton(Q(Tr("&Ok")), this);
    ok->setDefault(true);
    bottom->addWidget(ok);
    layout->addLayout(bottom);

    connect(m_upDown, &QSpinBox::valueChanged, this, [this](int value) { UpDownChanged(value); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

void TMissingFrameDialog::UpDownChanged(int value)
{
    // Every change is one arrow press: one period more or less for the current frame, whatever was typed.
    const int delta = value > m_upDownValue ? 1 : -1;
    if (!Step(delta)) {
        // Refused: the arrow leaves no trace.
        const QSignalBlocker block(m_upDown);
        m_upDown->setValue(m_upDownValue);
        return;
    }
    m_upDownValue = value;
}

bool TMissingFrameDialog::Step(int delta)
{
    if (!m_montage.ShiftInstant(delta))
        return false;
    Refresh();
    return true;
}

void TMissingFrameDialog::Refresh()
{
    m_previous->setText(
        Q(FormatText(Tr("image visible précédente   t = %s s"), { Time(m_montage.FrameTime(ftPreviousVisible)) })));
    m_current->setText(Q(Time(m_montage.FrameTime(ftCurrent))));
    m_next->setText(
        Q(FormatText(Tr("image visible suivante     t = %s s"), { Time(m_montage.FrameTime(ftNextVisible)) })));
}

// ----------------------------------------------------------------------------------------- panel

TMontagePanel::TMontagePanel(TMontage& montage, video::TVideo& video, document::TData& data, TOptions& options,
    TCustomUserDlg& dialog, QWidget* parent)
    : QWidget(parent)
    , m_montage(montage)
    , m_video(video)
    , m_data(data)
    , m_options(options)
    , m_dialog(dialog)
{
    setObjectName(QStringLiteral("MontagePanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_toggle = AddButton("ButtonMontageBasculer", TrNoop("Masquer / afficher"),
        TrNoop("Masquer l'image courante, ou l'afficher de nouveau si elle est masquée"));
    m_series = AddButton(
        "ButtonMontageBasculerMult", TrNoop("Série d'images"), TrNoop("Afficher ou masquer une série d'images"));
    m_instant = AddButton(
        "ButtonMontageInstant", TrNoop("Image manquante"), TrNoop("Il manque une image dans le flux vidéo"));
    m_record = AddButton("ButtonMontageEnregistrer", TrNoop("Enregistrer la vidéo"),
        TrNoop("Enregistrer le montage dans un fichier vidéo"));
    layout->addStretch(1);

    connect(m_toggle, &QToolButton::clicked, this, [this] { ToggleClicked(); });
    connect(m_series, &QToolButton::clicked, this, [this] { SeriesClicked(); });
    connect(m_instant, &QToolButton::clicked, this, [this] { InstantClicked(); });
    connect(m_record, &QToolButton::clicked, this, [this] { emit recordClicked(); });
    UpdateControls();
}

QToolButton* TMontagePanel::AddButton(const char* name, const char* caption, const char* hint)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(Q(Tr(caption)));
    button->setToolTip(Q(Tr(hint)));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(button);
    return button;
}

QToolButton* TMontagePanel::Button(const char* objectName) const
{
    return findChild<QToolButton*>(QLatin1String(objectName));
}

int TMontagePanel::Exec(QDialog& dialog)
{
    return execDialog ? execDialog(dialog) : dialog.exec();
}

bool TMontagePanel::EnterMontageMode()
{
    const bool entered = m_video.SetMode(video::vmMontage);
    UpdateControls();
    return entered;
}

void TMontagePanel::ToggleClicked()
{
    m_montage.ToggleCurrentFrame();
    UpdateControls();
    emit montageChanged();
}

void TMontagePanel::SeriesClicked()
{
    if (!m_video.IsOpened())
        return;
    TSeriesDialog dialog(m_montage, this);
    Exec(dialog);
    UpdateControls();
    emit montageChanged();
}

void TMontagePanel::InstantClicked()
{
    if (!m_montage.CurrentVisible())
        return;
    TMissingFrameDialog dialog(m_montage, m_data.TimeBetweenFrames(), this);
    Exec(dialog);
    UpdateControls();
    emit montageChanged();
}

void TMontagePanel::UpdateControls()
{
    const bool active = m_video.IsOpened() && m_video.Mode() == video::vmMontage;
    m_toggle->setEnabled(active);
    m_series->setEnabled(active);
    m_instant->setEnabled(active && m_montage.CurrentVisible());
    m_record->setEnabled(active);
}

} // namespace kinoval::montage
