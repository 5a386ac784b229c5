#pragma once
// The main window with every program-wide object it works with, the real players, a scripted message
// dialog and fake desktop services; the sample videos written to a temporary folder.

#include "core/common/ini_file.h"
#include "core/document/data.h"
#include "core/export/serveur.h"
#include "core/formulas/formules.h"
#include "core/montage/montage.h"
#include "core/results/results_set.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/tracking/tracking.h"
#include "core/tracking/tracking_adapters.h"
#include "core/video/video.h"
#include "gui/mainwindow/main_form.h"
#include "gui/results/res_form.h"
#include "gui/tracking/tracking_panel.h"
#include "gui/video/sample_videos.h"
#include "gui/video/video_widget.h"
#include "media/player_factory.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace kinoval::test {

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest()
        : video(players, timer)
        , data(dlg, document::TDocumentSettings {})
        , results(data)
        , serveur(desktop, dlg)
        , montage(dlg)
        , trackingView(video)
        , trackingDocument(data)
        , tracking(trackingView, trackingDocument, dlg, desktop, tracking::TrackingSettingsOf(options))
    {
        gui::InitSampleVideos();
        samples = gui::WriteSampleVideos(QString::fromStdString(dir.Path().string()));
    }

    void SetUp() override { MakeForm(); }

    void MakeForm(const std::string& settingsPath = {})
    {
        form.reset();
        form = std::make_unique<gui::TMainForm>(gui::TMainFormParts {
            dlg, desktop, video, data, options, mru, results, serveur, formules, montage, tracking, settingsPath });
        programShowsResults = form->showResultsWindow;
        form->showResultsWindow = [this](results::TResultsPage page) { shownPages.push_back(page); };
        form->askValue = [this](const mainwindow::TValueUse& use, const QString&) -> std::optional<double> {
            askedUses.push_back(use);
            if (valueAnswers.empty())
                return std::nullopt;
            const auto v = valueAnswers.front();
            valueAnswers.erase(valueAnswers.begin());
            return v;
        };
        if (settingsPath.empty())
            form->resize(1400, 1000);
        form->show();
        QApplication::processEvents();
    }

    // The parabola sample (the ball thrown across the picture).
    bool OpenParabola() { return samples.size() == 2 && form->Commands().Open(samples[1].toStdString()); }

    // The main window's own controls: the results window is its child too and has buttons of the same names.
    template <class T> T* Own(const char* name) const
    {
        for (T* child : form->findChildren<T*>(QLatin1String(name))) {
            bool inResults = false;
            for (const QObject* o = child; o != nullptr && !inResults; o = o->parent())
                inResults = o == static_cast<const QObject*>(&form->ResultsWindow());
            if (!inResults)
                return child;
        }
        return nullptr;
    }
    QToolButton* Button(const char* name) const { return Own<QToolButton>(name); }
    QAction* Action(const char* name) const { return Own<QAction>(name); }

    // A click of the view at a picture position in the frame's pixels (pixel i covering [i, i+1)).
    void ClickPicture(double xPixel, double yPixel, Qt::MouseButton b = Qt::LeftButton)
    {
        video::TVideoWidget& view = form->View();
        const double fx = static_cast<double>(view.width()) / video.FrameWidth();
        const double fy = static_cast<double>(view.height()) / video.FrameHeight();
        const QPoint p(static_cast<int>(std::lround(xPixel * fx)), static_cast<int>(std::lround(yPixel * fy)));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), view.mapToGlobal(QPointF(p)), b, b, Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
        QMouseEvent release(
            QEvent::MouseButtonRelease, QPointF(p), view.mapToGlobal(QPointF(p)), b, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &release);
    }

    TTempDir dir;
    QStringList samples;
    media::TMediaPlayerFactory players;
    TManualTimer timer;
    TScriptedUserDlg dlg;
    TFakeDesktopServices desktop;
    video::TVideo video;
    document::TData data;
    TOptions options;
    TMRUFiles mru;
    results::TResultsSet results;
    TServeur serveur;
    formulas::TFormules formules;
    montage::TMontage montage;
    tracking::TVideoTrackingView trackingView;
    tracking::TDataTrackingDocument trackingDocument;
    tracking::TTracking tracking;
    std::unique_ptr<gui::TMainForm> form;

    std::vector<results::TResultsPage> shownPages;
    std::function<void(results::TResultsPage)>
        programShowsResults; // the window's own, before the test put its recorder
    std::vector<mainwindow::TValueUse> askedUses;
    std::vector<double> valueAnswers;
};

} // namespace kinoval::test
