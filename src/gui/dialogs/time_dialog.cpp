#include "gui/dialogs/time_dialog.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/document/time_base.h"
#include "core/video/player_texts.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/dialog_buttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinoval {

namespace {

// The durations the video gives are accepted as they are; one the typed check would refuse (a broken
// header's zero, or a rate of one frame a millennium) cannot be offered as the default.
bool UsableDuration(double seconds)
{
    return seconds > 1e-6 && seconds < 1e9;
}

// A short figure for the labels, in the user's decimal convention.
QString ShortNumber(double value)
{
    QString text = QString::number(value, 'g', 6);
    if (DecimalSeparator() == ',')
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

} // namespace

TTimeDialog::TTimeDialog(
    QWidget* parent, double current, const TTimeSource& source, TCustomUserDlg& dlg, bool timeFromTimestamps)
    : QDialog(parent)
    , m_source(source)
    , m_dlg(dlg)
    , m_value(current)
{
    setObjectName(QStringLiteral("TimeDialog"));
    setWindowTitle(T("Durée entre deux images"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* videoBox = new QGroupBox(T("Selon le fichier vidéo"), this);
    auto* videoGrid = new QGridLayout(videoBox);
    const bool known = source.framesPerSecond > 0;
    auto* rate = new QLabel(known ? QString::fromStdString(FormatText(
                                Tr("%s images par seconde"), { ShortNumber(source.framesPerSecond).toStdString() }))
                                  : T("inconnue"),
        videoBox);
    rate->setObjectName(QStringLiteral("LabelRate"));
    videoGrid->addWidget(new QLabel(T("Fréquence :"), videoBox), 0, 0);
    videoGrid->addWidget(rate, 0, 1);
    const bool usable = UsableDuration(source.frameDuration);
    auto* duration = new QLabel(usable
            ? QString::fromStdString(FormatText("%s s", { ShortNumber(source.frameDuration).toStdString() }))
            : T("inconnue"),
        videoBox);
    duration->setObjectName(QStringLiteral("LabelFrameDuration"));
    videoGrid->addWidget(
        new QLabel(source.variable ? T("Durée moyenne d'une image :") : T("Durée d'une image :"), videoBox), 1, 0);
    videoGrid->addWidget(duration, 1, 1);
    layout->addWidget(videoBox);

    m_default = new QRadioButton(T("Conserver la valeur par défaut"), this);
    m_default->setObjectName(QStringLiteral("RadioDefault"));
    m_default->setEnabled(usable);
    layout->addWidget(m_default);

    m_other = new QRadioButton(T("Saisir une autre valeur (en seconde) :"), this);
    m_other->setObjectName(QStringLiteral("RadioOther"));
    layout->addWidget(m_other);

    // The edit shows the document's value with every digit, so that OK on an untouched dialog keeps it.
    const double shown = UsableDuration(current) ? current : (usable ? source.frameDuration : 0.04);
    m_edit = new QLineEdit(QString::fromStdString(FormatFileDouble(shown)), this);
    m_edit->setObjectName(QStringLiteral("EditDuration"));
    m_edit->setMinimumWidth(220);
    layout->addWidget(m_edit);

    auto* range = new QLabel(T("1 µs < intervalle de temps < 1 Gs"), this);
    range->setObjectName(QStringLiteral("LabelRange"));
    layout->addWidget(range);

    // The frames' own times: what a video of varying frame durations needs, offered whenever the video
    // knows them.
    m_timestamps = new QCheckBox(QString::fromStdString(video::TextTimeFromTimestamps()), this);
    m_timestamps->setObjectName(QStringLiteral("CheckBoxTimeFromTimestamps"));
    m_timestamps->setToolTip(T("Le temps de chaque marque est l'instant de son image dans le fichier vidéo, compté "
                               "depuis la première image pointée ; les vitesses et les accélérations suivent ces "
                               "instants."));
    m_timestamps->setEnabled(source.frameTimes);
    m_timestamps->setChecked(timeFromTimestamps && source.frameTimes);
    layout->addWidget(m_timestamps);

    // The default is chosen when the document holds it already (the state after opening a video).
    const bool atDefault = usable && (IsEqual(current, source.frameDuration) || !UsableDuration(current));
    (atDefault ? m_default : m_other)->setChecked(true);
    m_edit->setEnabled(!atDefault);
    connect(m_other, &QRadioButton::toggled, this, [this](bool on) {
        m_edit->setEnabled(on);
        if (on) {
            m_edit->setFocus();
            m_edit->selectAll();
        }
    });

    layout->addLayout(MakeOkCancelRow(*this));
    if (!atDefault) {
        m_edit->setFocus();
        m_edit->selectAll();
    }
}

bool TTimeDialog::Ask(QWidget* parent, document::TData& data, TCustomUserDlg& dlg)
{
    TTimeSource source;
    if (const auto* view = dynamic_cast<const video::TVideo*>(data.View()); view != nullptr && view->IsOpened()) {
        source.framesPerSecond = view->FramesPerSecond();
        source.frameDuration = view->FrameDuration();
        source.variable = view->VariableFrameDuration();
        source.frameTimes = view->FrameTimes() != nullptr;
    }
    return Ask(parent, data, dlg, source);
}

bool TTimeDialog::Ask(QWidget* parent, document::TData& data, TCustomUserDlg& dlg, const TTimeSource& source)
{
    TTimeDialog dialog(parent, data.RequiredDuration(), source, dlg, data.TimeFromTimestamps());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const double before = data.RequiredDuration();
    const bool timestampsBefore = data.TimeFromTimestamps();
    data.SetTimeBetweenFrames(dialog.Value());
    // A video without the frames' times leaves the study's choice as it was saved.
    if (source.frameTimes)
        data.SetTimeFromTimestamps(dialog.TimeFromTimestamps());
    return !IsEqual(before, data.RequiredDuration()) || timestampsBefore != data.TimeFromTimestamps();
}

bool TTimeDialog::TimeFromTimestamps() const
{
    return m_timestamps->isChecked();
}

void TTimeDialog::accept()
{
    if (m_default->isChecked()) {
        m_value = m_source.frameDuration;
        QDialog::accept();
        return;
    }
    double value = 0;
    const std::vector<std::string> refusal = document::CheckTimeBetweenFrames(m_edit->text().toStdString(), value);
    if (!refusal.empty()) {
        m_dlg.ShowMessage(TUserDlgIcon::icWarning, refusal);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_value = value;
    QDialog::accept();
}

} // namespace kinoval
