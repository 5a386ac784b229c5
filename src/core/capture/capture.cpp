#include "core/capture/capture.h"

#include "core/common/desktop_services.h"
#include "core/common/folders.h"
#include "core/common/ini_file.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kinoval::capture {

namespace {

const char* const kFrameworkLabels[2] = { " (V4L2)", " (GStreamer)" };

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

int FindText(const std::vector<std::string>& list, const std::string& text)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (SameText(list[i], text))
            return static_cast<int>(i);
    return -1;
}

bool EndsWith(const std::string& name, const std::string& end)
{
    return name.size() >= end.size() && SameText(name.substr(name.size() - end.size()), end);
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string ParentFolder(const std::string& path)
{
    return fs::path(path).parent_path().string();
}

} // namespace

TCapture::TCapture(TCaptureBackend& v4l2, TCaptureBackend& other, TCustomUserDlg& userDlg, TDesktopServices& desktop)
    : m_backends { &v4l2, &other }
    , m_userDlg(userDlg)
    , m_desktop(desktop)
{
    if (const char* home = std::getenv("HOME"))
        lastFolder = home;
}

// ------------------------------------------------------------------------------------------- devices

std::vector<std::string> TCapture::DeviceList()
{
    std::vector<std::string> list;
    for (int framework = 0; framework < 2; ++framework)
        for (const auto& name : m_backends[framework]->DeviceNames())
            list.push_back(name + kFrameworkLabels[framework]);
    return list;
}

void TCapture::RefreshDevices()
{
    if (m_armed)
        return;
    m_backends[0]->RefreshDevices();
    m_backends[1]->RefreshDevices();
}

int TCapture::DeviceCount()
{
    return static_cast<int>(m_backends[0]->DeviceNames().size() + m_backends[1]->DeviceNames().size());
}

int TCapture::DeviceIndex()
{
    const int index = Backend().DeviceIndex();
    if (index < 0)
        return -1;
    return m_framework == 0 ? index : static_cast<int>(m_backends[0]->DeviceNames().size()) + index;
}

std::string TCapture::DeviceName()
{
    const int index = Backend().DeviceIndex();
    const auto names = Backend().DeviceNames();
    return index >= 0 && index < static_cast<int>(names.size()) ? names[index] : std::string();
}

void TCapture::SelectDevice(int mixedIndex)
{
    const int firstCount = static_cast<int>(m_backends[0]->DeviceNames().size());
    const int framework = mixedIndex < firstCount ? 0 : 1;
    const int index = framework == 0 ? mixedIndex : mixedIndex - firstCount;
    if (framework == m_framework && index == Backend().DeviceIndex())
        return;
    if (m_armed)
        Stop();
    const bool previewing = Backend().PreviewRunning();
    if (previewing)
        Backend().ClosePreview();
    m_framework = framework;
    Backend().SetFrameRate(m_frameRate);
    Backend().SelectDevice(index);
    if (previewing)
        Backend().StartPreview();
}

void TCapture::SetFrameRate(int fps)
{
    m_frameRate = fps > 0 ? fps : kDefaultFrameRate;
    m_backends[0]->SetFrameRate(m_frameRate);
    m_backends[1]->SetFrameRate(m_frameRate);
}

// ------------------------------------------------------------------------------------------ settings

void TCapture::LoadSettings(const TIniFile& file)
{
    const int framework = file.ReadInt(kCaptureSection, "Framework", 1);
    const std::string device = file.ReadString(kCaptureSection, "Device", "");
    const std::string format = file.ReadString(kCaptureSection, "Format", "");
    const std::string codec = file.ReadString(kCaptureSection, "Codec", "");
    auto deselect = [this] {
        Backend().SelectDevice(-1);
        Backend().SelectFormat(-1);
        Backend().SelectCompressor(-1);
    };
    if (framework != 0 && framework != 1) {
        deselect();
        return;
    }
    m_framework = framework;
    Backend().SetFrameRate(m_frameRate);
    const int deviceIndex = FindText(Backend().DeviceNames(), device);
    if (deviceIndex < 0) {
        deselect();
        return;
    }
    Backend().SelectDevice(deviceIndex);
    const int formatIndex = FindText(Backend().FormatNames(), format);
    Backend().SelectFormat(formatIndex);
    Backend().SelectCompressor(FindText(Backend().CompressorNames(), codec));
}

void TCapture::SaveSettings(TIniFile& file)
{
    file.WriteInteger(kCaptureSection, "Framework", m_framework);
    file.WriteString(kCaptureSection, "Device", DeviceName());
    const auto formats = Backend().FormatNames();
    const int format = Backend().FormatIndex();
    file.WriteString(kCaptureSection, "Format",
        format >= 0 && format < static_cast<int>(formats.size()) ? formats[format] : std::string());
    const auto codecs = Backend().CompressorNames();
    const int codec = Backend().CompressorIndex();
    file.WriteString(kCaptureSection, "Codec",
        codec >= 0 && codec < static_cast<int>(codecs.size()) ? codecs[codec] : std::string());
}

// ---------------------------------------------------------------------------------------------- mode

bool TCapture::Enter(const TIniFile& settings)
{
    // A camera plugged in since the last time is offered; the notices of its arrival (and those a
    // framework gives of the devices it finds on its first listing) are news no more.
    RefreshDevices();
    m_backends[0]->TakeDeviceChanges();
    m_backends[1]->TakeDeviceChanges();
    if (m_firstUse) {
        m_firstUse = false;
        LoadSettings(settings);
    }
    // A single camera needs no choosing: the first device in the list is taken when none is.
    if (!DeviceChosen() && DeviceCount() > 0)
        SelectDevice(0);
    Backend().SetFrameRate(m_frameRate);
    TPreviewResult result = DeviceCount() == 0 ? TPreviewResult::prNoDevice : Backend().StartPreview();
    switch (result) {
    case TPreviewResult::prOk:
        m_inMode = true;
        return true;
    case TPreviewResult::prNoDevice:
        ShowWarning({ Tr("Aucun périphérique de capture détecté.") });
        break;
    case TPreviewResult::prDeviceFailed:
        ShowWarning({ Tr("Le périphérique de capture choisi ne fonctionne pas.") });
        break;
    case TPreviewResult::prNoneSelected:
        ShowWarning({ Tr("Aucun périphérique de capture sélectionné.") });
        break;
    }
    return false;
}

void TCapture::Leave()
{
    m_inMode = false;
    if (m_armed)
        Stop();
    Backend().ClosePreview();
}

void TCapture::PollDeviceChanges()
{
    if (m_handlingChange)
        return;
    for (TCaptureBackend* backend : m_backends)
        for (TDeviceChange change : backend->TakeDeviceChanges())
            DeviceChanged(change);
}

void TCapture::DeviceChanged(TDeviceChange change)
{
    if (!m_inMode || m_handlingChange)
        return;
    m_handlingChange = true;
    m_userDlg.ShowMessage(TUserDlgIcon::icInformation,
        { change == TDeviceChange::dcArrived ? Tr("Un périphérique Plug and Play a été reconnecté")
                                             : Tr("Un périphérique Plug and Play a été déconnecté.") });
    if (m_armed) {
        // Only the recording's own framework is asked again: the other one keeps its list for later.
        Backend().RefreshDevices();
        if (!DeviceChosen()) {
            // The camera that was recording is gone: what it recorded is offered for saving.
            Stop();
            Backend().ClosePreview();
        }
    } else {
        RefreshDevices();
        if (!DeviceChosen() && Backend().PreviewRunning())
            Backend().ClosePreview();
        if (m_inMode && !Backend().PreviewRunning() && change == TDeviceChange::dcArrived) {
            if (!DeviceChosen() && DeviceCount() > 0)
                SelectDevice(0);
            if (DeviceChosen()) {
                Backend().SetFrameRate(m_frameRate);
                Backend().StartPreview();
            }
        }
    }
    m_handlingChange = false;
    notify.stateChanged.Emit();
}

// ------------------------------------------------------------------------------------ start and stop

std::string TCapture::ChooseTemporaryFile(const std::string& folder)
{
    for (int n = 0;; ++n) {
        const std::string name = (fs::path(folder) / ("Capture" + std::to_string(n))).string();
        if (!Exists(name))
            return name;
        std::error_code ec;
        fs::remove(name, ec);
        if (!Exists(name))
            return name;
    }
}

std::string TCapture::FreeFileName(const std::string& folder, const std::string& extension)
{
    for (int n = 1;; ++n) {
        const std::string name = "Capture" + std::to_string(n) + "." + extension;
        if (!Exists((fs::path(folder) / name).string()))
            return name;
    }
}

void TCapture::SetTimer(bool enabled)
{
    if (hooks.enableTimer)
        hooks.enableTimer(enabled);
}

void TCapture::StartStop()
{
    if (m_armed) {
        Stop();
        return;
    }
    m_tempFile = ChooseTemporaryFile(m_tempFolder.empty() ? TemporaryFolder() : m_tempFolder);
    // The container is the compressor's, which cannot change while the recording runs.
    m_extension = Backend().RecordingExtension();
    if (m_extension.empty())
        m_extension = "avi";
    m_armed = true;
    m_started = false;
    m_counter = 0;
    SetTimer(true);
    if (!delayEnabled)
        StartCapturing();
    notify.stateChanged.Emit();
}

void TCapture::StartCapturing()
{
    m_started = true;
    if (!Backend().StartCapture(m_tempFile)) {
        // Nothing will be written: say so at once rather than count seconds of an empty recording.
        Stop();
        return;
    }
    notify.stateChanged.Emit();
}

void TCapture::Tick()
{
    if (!m_armed)
        return;
    ++m_counter;
    notify.statusTick.Emit();
    if (!delayEnabled && !durationEnabled)
        return;
    if (delayEnabled && m_counter < delay)
        return;
    if (!m_started) {
        if (delayEnabled && beepAtStart)
            m_desktop.Beep();
        StartCapturing();
        return;
    }
    const long long end = static_cast<long long>(delayEnabled ? delay : 0) + duration;
    if (Capturing() && durationEnabled && duration != kUnlimitedDuration && m_counter >= end)
        Stop();
}

void TCapture::Stop()
{
    SetTimer(false);
    if (!m_armed)
        return;
    m_armed = false;
    Backend().StopCapture();
    notify.stateChanged.Emit();
    // A countdown stopped before the recording began leaves nothing to save and nothing failed.
    if (m_started)
        SaveRecording();
    m_started = false;
}

std::string TCapture::StatusText() const
{
    if (m_armed && !Capturing() && delayEnabled && m_counter <= delay)
        return FormatText(Tr("La capture va démarrer dans %d seconde(s)"), { std::to_string(delay - m_counter) });
    if (Capturing())
        return Tr("Nombre d'images capturées :") + " " + std::to_string(CapturedFrames()) + "   "
            + Tr("Nombre d'images perdues :") + " " + std::to_string(DroppedFrames());
    return {};
}

// ------------------------------------------------------------------------------------------- saving

void TCapture::ShowWarning(const std::vector<std::string>& lines)
{
    m_userDlg.ShowMessage(TUserDlgIcon::icWarning, lines);
}

void TCapture::SaveRecording()
{
    if (!Exists(m_tempFile)) {
        ShowWarning({ Tr("La capture a échoué. Le fichier n'a pas été enregistré.") });
        // The compressor is the likeliest culprit; the next try writes plain frames.
        Backend().SelectCompressor(-1);
        return;
    }
    std::string folder = lastFolder;
    for (;;) {
        TFileDialogRequest request;
        request.title = Tr("Enregistrer une vidéo");
        request.filter = Tr("Fichier vidéo") + " (*." + m_extension + ")";
        request.proposedName = FreeFileName(folder, m_extension);
        request.defaultExtension = m_extension;
        request.folder = folder;
        request.confirmOverwrite = false; // an existing file is refused below, never replaced
        const auto answer = m_desktop.SaveFileDialog(request);
        if (!answer) {
            m_userDlg.SetIcon(TUserDlgIcon::icConfirmation);
            m_userDlg.ClearButtons();
            m_userDlg.AddButton(Tr("Enregistrer"), TUserDlgButtonKind::btEnregistrer);
            m_userDlg.AddButton(Tr("Supprimer"), TUserDlgButtonKind::btCustom);
            m_userDlg.AddText(Tr("Supprimer la vidéo enregistrée ?"));
            if (m_userDlg.Run() == 0)
                continue;
            std::error_code ec;
            fs::remove(m_tempFile, ec);
            notify.fileNotSaved.Emit();
            return;
        }
        std::string name = *answer;
        if (!EndsWith(name, "." + m_extension))
            name += "." + m_extension;
        if (Exists(name)) {
            m_userDlg.SetIcon(TUserDlgIcon::icWarning);
            m_userDlg.ClearButtons();
            m_userDlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
            m_userDlg.AddText(name, lkParagraph, clBlue);
            m_userDlg.AddText(Tr("Un fichier portant ce nom existe déjà dans le répertoire choisi."));
            m_userDlg.AddText(Tr("Veuillez choisir un nom de fichier différent ou un autre répertoire."));
            m_userDlg.Run();
            folder = ParentFolder(name);
            continue;
        }
        folder = ParentFolder(name);
        lastFolder = folder;
        std::error_code ec;
        if (fs::copy_file(m_tempFile, name, fs::copy_options::none, ec) && !ec) {
            fs::remove(m_tempFile, ec);
            notify.fileSaved.Emit(name);
            return;
        }
        // A half-written copy is no video; the recording itself waits for another place.
        fs::remove(name, ec);
        ShowWarning({ Tr("La création du fichier dans le répertoire choisi a échoué."),
            Tr("Vérifiez vos droits d'accès à ce répertoire.") });
    }
}

} // namespace kinoval::capture
