// The view on real files: the time from "next frame" to the repainted view on a 1280 x 720 H.264 video
// (median of 100 steps), and, with --screenshot FILE, a picture of the view on the thrown-ball sample with
// marks and axes (left), the scale tool (middle), and zoomed in with the magnifier (right).
//
//   xvfb-run -a build/bench/kinoval_bench_gui
//   xvfb-run -a build/bench/kinoval_bench_gui --screenshot view.png
#include "core/common/texts.h"
#include "core/video/document_link.h"
#include "core/video/thread_timer.h"
#include "core/video/video.h"
#include "gui/video/sample_videos.h"
#include "gui/video/video_widget.h"
#include "media/ffmpeg_writer.h"
#include "media/player_factory.h"

#include "core/common/user_dlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace kinoval;

// Messages are not shown here: every question answers its first button.
class TSilentDlg : public TCustomUserDlg {
protected:
    int DoRun() override { return 0; }
};

std::string MakeH264(int width, int height, int frames)
{
    const std::string path = QDir::tempPath().toStdString() + "/kinoval_bench_720p.mp4";
    if (QFile::exists(QString::fromStdString(path)))
        return path;
    media::TFFMpegWriter writer;
    media::TEncoderSettings settings;
    settings.codec = "libx264";
    settings.gopSize = 25;
    settings.maxBFrames = 2;
    if (writer.Open(path, width, height, settings) != 0) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), writer.LastError().c_str());
        return {};
    }
    TRgbImage frame(width, height);
    for (int n = 0; n < frames; ++n) {
        // A moving gradient with a bright disc, so that every frame differs and compresses like a scene.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = frame.At(x, y);
                const int dx = x - (100 + n * 8), dy = y - 360;
                const bool disc = dx * dx + dy * dy < 40 * 40;
                p[0] = disc ? 250 : static_cast<std::uint8_t>((x + n * 3) & 0xFF);
                p[1] = disc ? 220 : static_cast<std::uint8_t>((y * 2) & 0xFF);
                p[2] = disc ? 40 : static_cast<std::uint8_t>((x + y + n) & 0xFF);
            }
        writer.WriteFrame(frame);
    }
    writer.Close();
    return path;
}

void BM_NextFrameToRepaintedView(benchmark::State& state)
{
    const std::string file = MakeH264(1280, 720, 130);
    media::TMediaPlayerFactory factory;
    video::TThreadTimer timer;
    video::TVideo view(factory, timer);
    video::TVideoWidget widget(view);
    widget.resize(1280, 720);
    widget.show();
    QApplication::processEvents();
    if (file.empty() || !view.Open(file)) {
        state.SkipWithError("the H.264 video cannot be opened");
        return;
    }
    QApplication::processEvents();
    std::vector<double> ms;
    for (auto _ : state) {
        if (view.CurrentRawFrame() + 1 >= view.FrameCount())
            view.First();
        const auto t0 = std::chrono::steady_clock::now();
        view.Next(); // seeks, decodes and paints the off-screen picture
        widget.repaint(); // and copies it to the screen now
        const auto t1 = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
    }
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) {
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["max_ms"] = ms.back();
        state.counters["backend"] = view.Backend();
    }
}
BENCHMARK(BM_NextFrameToRepaintedView)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- screenshot ---

struct TTruth {
    std::vector<QPointF> ball; // pixels, per frame
    QPointF rulerA, rulerB;
};

TTruth ReadTruth(const QString& path)
{
    TTruth truth;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return truth;
    QTextStream in(&f);
    double rx1 = 0, ry1 = 0, rx2 = 0, ry2 = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith('#') || line.isEmpty())
            continue;
        if (line.contains('=')) {
            const QStringList kv = line.split('=');
            const QString k = kv[0].trimmed();
            const double v = kv[1].trimmed().toDouble();
            if (k == "ruler_x1_px")
                rx1 = v;
            else if (k == "ruler_y1_px")
                ry1 = v;
            else if (k == "ruler_x2_px")
                rx2 = v;
            else if (k == "ruler_y2_px")
                ry2 = v;
            continue;
        }
        const QStringList cols = line.split(' ', Qt::SkipEmptyParts);
        if (cols.size() >= 4)
            truth.ball.emplace_back(cols[2].toDouble(), cols[3].toDouble());
    }
    truth.rulerA = QPointF(rx1, ry1);
    truth.rulerB = QPointF(rx2, ry2);
    return truth;
}

int Screenshot(const char* out)
{
    if (!gui::InitSampleVideos()) {
        std::fprintf(stderr, "this build has no sample videos\n");
        return 1;
    }
    const QString folder = QDir::tempPath() + "/kinoval_view_shot";
    QDir().mkpath(folder);
    const QStringList videos = gui::WriteSampleVideos(folder);
    QString file;
    for (const QString& v : videos)
        if (v.endsWith("parabole.avi"))
            file = v;
    if (file.isEmpty())
        return 1;
    const TTruth truth = ReadTruth(folder + "/parabole.txt");

    media::TMediaPlayerFactory factory;
    video::TThreadTimer timer;
    video::TVideo view(factory, timer);
    TSilentDlg dlg;
    document::TDocumentSettings settings;
    settings.elementSize = 1;
    document::TData data(dlg, settings);
    video::TDocumentInput input(data, view);
    TConnections links;
    links += video::LinkDocument(view, data, input);
    video::TVideoWidget widget(view);
    widget.buildOverlay = [&](video::TVideoMode, video::TOverlay& o) { video::BuildDocumentOverlay(data, view, o); };
    widget.setWindowTitle("Kinoval");
    widget.resize(640, 480);
    widget.show();
    QApplication::processEvents();
    if (!view.Open(file.toStdString()))
        return 1;
    data.NewStudy();
    data.SetTimeBetweenFrames(view.FrameDuration());
    data.SetElementColor(0x00FFFF);
    auto click = [&](QPointF framePixel) {
        const TPoint p = view.ImageToScreen(
            { (framePixel.x() + 0.5) / view.FrameWidth(), (framePixel.y() + 0.5) / view.FrameHeight() });
        view.MouseDown(video::TMouseButton::Left, {}, p);
        view.MouseUp(video::TMouseButton::Left, {}, p);
    };
    // The origin on the first position, then a mark on the ball of every other frame.
    data.SetTool(document::toOriginAndAxes);
    click(truth.ball.front());
    data.SetTool(document::toPlaceMarks);
    data.SetFramesNumberBetweenTwoMarks(2);
    for (std::size_t n = 0; n < truth.ball.size(); n += 2)
        click(truth.ball[n]);
    view.GoToFrame(14);
    QApplication::processEvents();
    QImage left = widget.screen()->grabWindow(widget.winId()).toImage();
    if (left.isNull() || left.size() != widget.size())
        left = widget.grab().toImage();

    data.SetTool(document::toScale);
    click(truth.rulerA);
    click(truth.rulerB);
    view.Repaint();
    QApplication::processEvents();
    QImage right = widget.screen()->grabWindow(widget.winId()).toImage();
    if (right.isNull() || right.size() != widget.size())
        right = widget.grab().toImage();

    // Third: back to the marks, zoomed in three times on the ball, with the magnifier on the pointer.
    data.SetTool(document::toPlaceMarks);
    view.ShowLoupe(true);
    const TPoint ball
        = view.ImageToScreen({ truth.ball[14].x() / view.FrameWidth(), truth.ball[14].y() / view.FrameHeight() });
    view.ZoomAt(ball, 300);
    view.MouseMove(
        {}, view.ImageToScreen({ truth.ball[14].x() / view.FrameWidth(), truth.ball[14].y() / view.FrameHeight() }));
    view.Repaint();
    QApplication::processEvents();
    const QImage zoomed = widget.grab().toImage();

    QImage both(left.width() + right.width() + zoomed.width() + 16, std::max(left.height(), right.height()),
        QImage::Format_RGB32);
    both.fill(Qt::darkGray);
    QPainter p(&both);
    p.drawImage(0, 0, left);
    p.drawImage(left.width() + 8, 0, right);
    p.drawImage(left.width() + right.width() + 16, 0, zoomed);
    p.end();
    if (!both.save(QString::fromLocal8Bit(out))) {
        std::fprintf(stderr, "cannot write %s\n", out);
        return 1;
    }
    std::printf("%s: %d marks, origin placed %d, scale points %d, back-end %d\n", out, data.MarkCount(),
        data.OriginPlaced(), data.ScalePointCount(), view.Backend());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0)
        return Screenshot(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
