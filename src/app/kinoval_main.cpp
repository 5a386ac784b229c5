// kinoval: the program. Builds the program-wide objects in order and runs the event loop.
#include "catalogue.h"
#include "core/capture/capture.h"
#include "core/common/folders.h"
#include "core/common/ini_file.h"
#include "core/common/version.h"
#include "core/document/data.h"
#include "core/export/serveur.h"
#include "core/formulas/formules.h"
#include "core/mainwindow/recovery.h"
#include "core/montage/montage.h"
#include "core/results/results_set.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/tracking/tracking.h"
#include "core/tracking/tracking_adapters.h"
#include "core/video/thread_timer.h"
#include "core/video/video.h"
#include "gui/capture/capture_panel.h"
#include "gui/common/qt_desktop_services.h"
#include "gui/common/user_dlg.h"
#include "gui/mainwindow/main_form.h"
#include "gui/mainwindow/recovery_hook.h"
#include "gui/tracking/tracking_panel.h"
#include "media/export/xlsx_writer.h"
#include "media/gstreamer_capture.h"
#include "media/player_factory.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    using namespace kinoval;
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", kProductName, kVersion);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProductName);
    QApplication::setApplicationVersion(kVersion);
    const std::string settingsPath = SettingsFilePath();
    // The language comes first, before anything speaks: the settings' choice, or the system's. It holds for
    // the whole run (the settings dialog says a change waits for the next start). Qt's own texts (the file
    // dialogs, the standard buttons) speak the same language.
    {
        TOptions chosen;
        chosen.Load(settingsPath);
        app::InstallLanguage(ChosenLanguage(chosen.language), true);
    }

    // Every message goes through the one message dialog, so it exists before everything that may speak.
    TUserDlg userDlg;
    TQtDesktopServices desktop;

    media::TMediaPlayerFactory players;
    video::TThreadTimer playbackTimer;
    video::TVideo view(players, playbackTimer);
    TOptions options;
    // A settings file that is there but cannot be read (a folder, a huge file) is said once the window
    // shows, and never overwritten: its contents were not seen.
    std::vector<std::string> settingsUnread;
    if (IsRefusedRead(options.Load(settingsPath))) {
        TIniFile probe;
        probe.Load(settingsPath);
        settingsUnread = SettingsReadFailureLines(settingsPath, probe.LastErrorText());
    }
    document::TData data(userDlg, document::TDocumentSettings {});
    TMRUFiles mru;
    results::TResultsSet results(data);
    TServeur serveur(desktop, userDlg);
    TXlsxWriter workbooks;
    serveur.SetWorkbookWriter(&workbooks);
    {
        TIniFile ini;
        ini.Load(settingsPath);
        serveur.ReadSettings(ini);
    }
    serveur.OnRegressiPathChanged = [&settingsPath, &serveur, &userDlg](const std::string&) {
        // Only over settings that were read: writing the key into an empty file would drop all the others.
        TIniFile ini;
        if (IsRefusedRead(ini.Load(settingsPath))) {
            userDlg.ShowMessage(TUserDlgIcon::icWarning, SettingsSaveFailureLines(settingsPath, ini.LastErrorText()));
            return;
        }
        serveur.WriteSettings(ini);
        if (ini.SaveAs(settingsPath) != kIniOk)
            userDlg.ShowMessage(TUserDlgIcon::icWarning, SettingsSaveFailureLines(settingsPath, ini.LastErrorText()));
    };
    formulas::TFormules formules;
    montage::TMontage montage(userDlg);
    // The tracker works on the view and the document through their adapters.
    tracking::TVideoTrackingView trackingView(view);
    tracking::TDataTrackingDocument trackingDocument(data);
    tracking::TTracking tracking(
        trackingView, trackingDocument, userDlg, desktop, tracking::TrackingSettingsOf(options));

    // The capture's two frameworks: the V4L2 cameras, and the other video sources of the desktop.
    media::TGstCapture cameras(media::TGstCapture::fwV4l2);
    media::TGstCapture otherSources(media::TGstCapture::fwOther);
    capture::TCapture capture(cameras, otherSources, userDlg, desktop);

    gui::TMainForm form(
        { userDlg, desktop, view, data, options, mru, results, serveur, formules, montage, tracking, settingsPath });
    desktop.SetDialogParent(&form);
    auto* capturePanel = new capture::TCapturePanel(capture, view, form.View(), settingsPath, &form);
    form.SetModeToolPanel(video::vmCapture, capturePanel);
    QObject::connect(capturePanel, &capture::TCapturePanel::videoSaved, &form,
        [&form](const QString& path) { form.OpenRecordedVideo(path.toStdString()); });
    form.closing = [capturePanel] { capturePanel->Quit(); };
    // Copies of unsaved studies in the user's data folder. KINOVAL_AUTOSAVE_SECONDS shortens the minute
    // for the tests that kill the program.
    mainwindow::TRecovery recovery(
        { userDlg, desktop, view, data, options, mru, &montage, &formules }, form.Commands(), DataFolder());
    int interval = mainwindow::TRecovery::kIntervalSeconds;
    if (const char* forced = std::getenv("KINOVAL_AUTOSAVE_SECONDS"); forced != nullptr && std::atoi(forced) > 0)
        interval = std::atoi(forced);
    gui::TRecoveryHook recoveryHook(recovery, interval);
    form.SetRecoveryHook(&recoveryHook);
    serveur.LastFolder = mru.Directory;
    serveur.OnFolderUsed = [&mru](const std::string& folder) { mru.Directory = folder; };
    form.show();
    // Once the window is on the screen: the video or study named on the command line (the desktop opens a
    // .kvl study so), else one of the sample videos.
    const QStringList arguments = QApplication::arguments();
    const std::string named = arguments.size() > 1 ? arguments.at(1).toStdString() : std::string();
    QTimer::singleShot(0, &form, [&form, &userDlg, &recovery, named, settingsUnread] {
        if (!settingsUnread.empty())
            userDlg.ShowMessage(TUserDlgIcon::icWarning, settingsUnread);
        // A study the program was killed over comes back first; the file named on the command line or a
        // sample only when there is none, or the user declined it.
        if (recovery.OfferRestore())
            return;
        if (named.empty() || !form.Commands().Open(named))
            form.OpenSampleVideo(gui::TMainForm::TSample::ThrownBall);
    });
    const int code = QApplication::exec();
    form.SetRecoveryHook(nullptr);
    view.Stop();
    return code;
}
