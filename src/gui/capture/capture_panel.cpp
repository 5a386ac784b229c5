#include "gui/capture/capture_panel.h"

#include "core/capture/capture.h"
#include "core/common/ini_file.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/dialog_buttons.h"
#include "gui/video/video_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kinoval::capture {

namespace {

QComboBox* MakeCombo(QWidget* page, const char* name, const QString& accessible)
{
    auto* combo = new QComboBox(page);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setAccessibleName(accessible);
    combo->setMinimumContentsLength(28);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

// A page of the dialog: its explanation, then one list.
QComboBox* AddListPage(
    QTabWidget* tabs, const QString& title, const QString& explanation, const char* name, const QString& accessible)
{
    auto* page = new QWidget(tabs);
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(explanation, page);
    text->setWordWrap(true);
    layout->addWidget(text);
    QComboBox* combo = MakeCombo(page, name, accessible);
    layout->addWidget(combo);
    layout->addStretch();
    tabs->addTab(page, title);
    return combo;
}

} // namespace

// ------------------------------------------------------------------------------------------- dialog

TCaptureDialog::TCaptureDialog(TCapture& capture, QWidget* parent)
    : QDialog(parent)
    , m_capture(capture)
{
    capture.RefreshDevices();
    setObjectName(QStringLiteral("BoiteCapture"));
    setWindowTitle(T("Réglages de la capture"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControlCapture"));
    layout->addWidget(tabs);

    m_devices = AddListPage(tabs, T("Matériel"), T("Choisissez le périphérique de capture (caméra, webcam...)."),
        "ComboBoxPeripherique", T("Périphérique de capture"));
    m_compressors = AddListPage(tabs, T("Compression"),
        T("Sans compression, les images sont enregistrées telles quelles : le fichier est gros mais rien n'est "
          "perdu. La compression MJPEG donne un fichier AVI bien plus petit.\nLes compressions H.264 (fichier "
          "MP4) et VP8 (fichier WebM), quand elles sont installées, donnent les plus petits ; chaque image y "
          "garde l'instant où la caméra l'a prise."),
        "ComboBoxCompression", T("Compression"));
    m_formats = AddListPage(tabs, T("Format"), T("Taille des images et format proposés par le périphérique."),
        "ComboBoxFormat", T("Format des images"));
    m_rates = AddListPage(tabs, T("Cadence"),
        T("Nombre d'images par seconde demandé au périphérique. La vidéo enregistrée indique la cadence "
          "réellement obtenue."),
        "ComboBoxCadence", T("Cadence"));
    for (int fps : kFrameRates)
        m_rates->addItem(QStringLiteral("%1 fps").arg(fps), fps);

    auto* page = new QWidget(tabs);
    auto* pageLayout = new QVBoxLayout(page);
    auto* explanation = new QLabel(T("La capture peut démarrer après un délai et s'arrêter d'elle-même."), page);
    explanation->setWordWrap(true);
    pageLayout->addWidget(explanation);
    tabs->addTab(page, T("Minuterie"));
    auto* form = new QFormLayout;
    m_delayCheck = new QCheckBox(T("Démarrer après un délai (s)"), page);
    m_delayCheck->setObjectName(QStringLiteral("CheckBoxDelai"));
    m_delay = new QSpinBox(page);
    m_delay->setObjectName(QStringLiteral("SpinEditDelai"));
    m_delay->setAccessibleName(T("Délai en secondes"));
    m_delay->setRange(1, 3600);
    form->addRow(m_delayCheck, m_delay);
    m_beep = new QCheckBox(T("Signal sonore au démarrage"), page);
    m_beep->setObjectName(QStringLiteral("CheckBoxBip"));
    form->addRow(m_beep);
    m_durationCheck = new QCheckBox(T("Durée fixée (s)"), page);
    m_durationCheck->setObjectName(QStringLiteral("CheckBoxDuree"));
    m_duration = new QSpinBox(page);
    m_duration->setObjectName(QStringLiteral("SpinEditDuree"));
    m_duration->setAccessibleName(T("Durée en secondes"));
    m_duration->setRange(1, 36000);
    form->addRow(m_durationCheck, m_duration);
    pageLayout->addLayout(form);
    pageLayout->addStretch();

    layout->addLayout(MakeOkCancelRow(*this));
    setMinimumWidth(560);

    m_delayCheck->setChecked(capture.delayEnabled);
    m_delay->setValue(capture.delay);
    m_beep->setChecked(capture.beepAtStart);
    m_durationCheck->setChecked(capture.durationEnabled && capture.duration != kUnlimitedDuration);
    m_duration->setValue(capture.duration != kUnlimitedDuration ? capture.duration : 10);
    const int rate = m_rates->findData(capture.FrameRate());
    m_rates->setCurrentIndex(rate >= 0 ? rate : 1);
    FillDeviceLists();
    connect(m_devices, &QComboBox::activated, this, [this](int index) {
        m_capture.SelectDevice(index);
        FillDeviceLists();
    });
    connect(this, &QDialog::accepted, this, &TCaptureDialog::Apply);
}

void TCaptureDialog::FillDeviceLists()
{
    auto fill = [](QComboBox* combo, const std::vector<std::string>& items, int current) {
        combo->clear();
        for (const auto& item : items)
            combo->addItem(Q(item));
        combo->setCurrentIndex(current);
    };
    fill(m_devices, m_capture.DeviceList(), m_capture.DeviceIndex());
    fill(m_formats, m_capture.FormatList(), m_capture.FormatIndex());
    fill(m_compressors, m_capture.CompressorList(), std::max(0, m_capture.CompressorIndex()));
}

void TCaptureDialog::Apply()
{
    if (m_devices->currentIndex() >= 0)
        m_capture.SelectDevice(m_devices->currentIndex());
    m_capture.SelectFormat(m_formats->currentIndex());
    m_capture.SelectCompressor(m_compressors->currentIndex());
    m_capture.SetFrameRate(m_rates->currentData().toInt());
    m_capture.delayEnabled = m_delayCheck->isChecked();
    m_capture.delay = m_delay->value();
    m_capture.beepAtStart = m_beep->isChecked();
    m_capture.durationEnabled = m_durationCheck->isChecked();
    m_capture.duration = m_duration->value();
}

// -------------------------------------------------------------------------------------------- panel

TCapturePanel::TCapturePanel(
    TCapture& capture, video::TVideo& video, video::TVideoWidget& view, std::string settingsPath, QWidget* parent)
    : QWidget(parent)
    , m_capture(capture)
    , m_video(video)
    , m_view(&view)
    , m_settingsPath(std::move(settingsPath))
{
    setObjectName(QStringLiteral("CapturePanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_captureButton = new QToolButton(this);
    m_captureButton->setObjectName(QStringLiteral("ButtonCaptureDemarrer"));
    m_captureButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_captureButton->setShortcut(QKeySequence(Qt::Key_F9));
    m_settingsButton = new QToolButton(this);
    m_settingsButton->setObjectName(QStringLiteral("ButtonCaptureReglages"));
    m_settingsButton->setText(T("Réglages..."));
    m_settingsButton->setAccessibleName(T("Réglages de la capture"));
    m_settingsButton->setToolTip(T("Réglages de la capture"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelCaptureEtat"));
    m_status->setMinimumWidth(360);
    layout->addWidget(m_captureButton);
    layout->addWidget(m_settingsButton);
    layout->addWidget(m_status, 1);

    execDialog = [](TCaptureDialog& dialog) { return dialog.exec(); };
    m_seconds.setInterval(1000);
    m_preview.setInterval(40);
    m_plugNotices.setInterval(500);
    connect(&m_plugNotices, &QTimer::timeout, this, [this] { m_capture.PollDeviceChanges(); });
    connect(&m_seconds, &QTimer::timeout, this, [this] { m_capture.Tick(); });
    connect(&m_preview, &QTimer::timeout, this, [this] {
        if (!m_video.Shown() && m_view)
            m_view->Redraw();
        if (m_capture.Capturing())
            m_status->setText(Q(m_capture.StatusText()));
    });
    connect(m_captureButton, &QToolButton::clicked, this, [this] {
        m_capture.StartStop();
        UpdateControls();
    });
    connect(m_settingsButton, &QToolButton::clicked, this, &TCapturePanel::OpenSettings);

    m_capture.hooks.enableTimer = [this](bool on) {
        if (on)
            m_seconds.start();
        else
            m_seconds.stop();
    };
    m_view->capturePreview = [this](TRgbImage& frame) { return m_capture.Backend().PreviewFrame(frame); };
    m_video.hooks.prepareCapture = [this] { return Enter(); };
    m_links += m_video.notify.captureLeft.Connect([this] {
        m_capture.Leave();
        m_preview.stop();
        m_plugNotices.stop();
        UpdateControls();
    });
    m_links += m_capture.notify.statusTick.Connect([this] { m_status->setText(Q(m_capture.StatusText())); });
    m_links += m_capture.notify.stateChanged.Connect([this] { UpdateControls(); });
    m_links += m_capture.notify.fileSaved.Connect([this](const std::string& path) {
        if (m_quitting)
            return;
        // Later: the save runs inside the capture's stop, which the window's mode change may be running.
        const QString file = Q(path);
        QTimer::singleShot(0, this, [this, file] { emit videoSaved(file); });
    });
    UpdateControls();
}

TCapturePanel::~TCapturePanel()
{
    m_capture.hooks.enableTimer = nullptr;
    m_video.hooks.prepareCapture = nullptr;
    if (m_view)
        m_view->capturePreview = nullptr;
}

bool TCapturePanel::Enter()
{
    TIniFile ini;
    if (!m_settingsPath.empty())
        ini.Load(m_settingsPath);
    if (!m_capture.Enter(ini)) {
        OpenSettings();
        return false;
    }
    m_preview.start();
    m_plugNotices.start();
    QTimer::singleShot(0, this, [this] { UpdateControls(); });
    return true;
}

void TCapturePanel::OpenSettings()
{
    TCaptureDialog dialog(m_capture, window());
    if (execDialog(dialog) == QDialog::Accepted)
        SaveSettings();
    UpdateControls();
}

void TCapturePanel::SaveSettings()
{
    if (m_settingsPath.empty())
        return;
    // Only over settings that were read: writing into an empty file would drop all the others.
    TIniFile ini;
    const int loaded = ini.Load(m_settingsPath);
    if (loaded != kIniOk && loaded != kIniFileMissing)
        return;
    m_capture.SaveSettings(ini);
    ini.SaveAs(m_settingsPath);
}

void TCapturePanel::Quit()
{
    m_quitting = true;
    m_plugNotices.stop();
    m_capture.Leave();
    m_preview.stop();
    SaveSettings();
}

void TCapturePanel::UpdateControls()
{
    const bool armed = m_capture.Armed();
    m_captureButton->setText(armed ? T("Arrêter la capture") : T("Démarrer la capture"));
    m_captureButton->setIcon(QIcon(armed ? QStringLiteral(":/mainwindow/ButtonCaptureArreter.svg")
                                         : QStringLiteral(":/mainwindow/ButtonCaptureDemarrer.svg")));
    m_captureButton->setToolTip(armed ? T("Arrêter la capture (F9)") : T("Démarrer la capture (F9)"));
    m_captureButton->setEnabled(m_capture.PreviewRunning() || armed);
    m_settingsButton->setEnabled(!armed);
    m_status->setText(Q(m_capture.StatusText()));
}

} // namespace kinoval::capture
