// kinoval-cli track VIDEO --outline "x1,y1 x2,y2 ..." --first N [--last M] [--step S] [--radius R]
// [--method meanshift|template] [--ignore "x1,y1 ..."]...: the tracking driver without a window. The
// outline and the zones are in normalised image coordinates; frames are numbered as the player numbers
// them. Prints one line per tracked frame: the frame number and the normalised x and y, with "."
// decimals. When the object is lost the lines tracked so far are printed, the program's message goes to
// the error output and the status is 3.
#include "cli/cli_command.h"

#ifdef KINOVAL_HAVE_MEDIA
#include "cli/cli_console.h"
#include "core/common/desktop_services.h"
#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/tracking/tracking.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "media/player_factory.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace kinoval::cli {
namespace {

using namespace kinoval;

constexpr const char* kUsage = "usage: kinoval-cli track VIDEO --outline \"x1,y1 x2,y2 ...\" --first N [--last M] "
                               "[--step S] [--radius R] [--method meanshift|template] [--ignore \"x1,y1 ...\"]...\n";

// The player stands for the view; a view pixel is a frame pixel.
class TPlayerView : public tracking::TTrackingView {
public:
    explicit TPlayerView(video::TPlayer& player)
        : m_player(player)
    {
    }
    bool IsOpened() const override { return m_player.Opened(); }
    int FrameCount() const override { return m_player.FrameCount(); }
    int CurrentFrame() const override { return m_player.CurrentFrame(); }
    int CurrentRawFrame() const override { return m_player.CurrentFrame(); }
    bool GoToFrame(int frame) override
    {
        if (frame < 0 || frame >= FrameCount() || frame == CurrentFrame())
            return false;
        m_player.SetCurrentFrame(frame);
        return true;
    }
    bool CopyCurrentFrame(TRgbImage& target) override { return m_player.Draw(target); }
    int FrameWidth() const override { return m_player.Width(); }
    int FrameHeight() const override { return m_player.Height(); }
    TPoint ImageToScreen(TPointD p) const override
    {
        return { static_cast<int>(std::lrint(p.x * FrameWidth())), static_cast<int>(std::lrint(p.y * FrameHeight())) };
    }
    TPointD ScreenToImage(TPoint p) const override
    {
        const double w = std::max(1, FrameWidth()), h = std::max(1, FrameHeight());
        return { std::clamp(p.x / w, 0.0, 1.0), std::clamp(p.y / h, 0.0, 1.0) };
    }
    TPoint MouseCursorPos() const override { return {}; }
    void SetMouseCursorPos(TPoint) override { }
    void Repaint() override { }
    // The tool numbers frames as its lines do, from 0.
    int FrameNumberShown(int frame) const override { return frame; }

private:
    video::TPlayer& m_player;
};

class TStepDocument : public tracking::TTrackingDocument {
public:
    int step = 1;
    int ObjectsPerFrame() const override { return 1; }
    int FramesBetweenMarks() const override { return step; }
    TColor ObjectColor(int) const override { return clRed; }
    TColor DrawingColor() const override { return 0xFFFF; }
    void ImportMarks(const std::vector<std::vector<TPointD>>&, const std::vector<std::vector<int>>&) override { }
};

using cli::TConsoleDlg;
using cli::TNoDesktop;

// "x1,y1 x2,y2 ...": each vertex a pair of numbers with "." decimals.
bool ParseVertices(const std::string& text, tracking::TPointDDynArray& out)
{
    std::istringstream in(text);
    std::string pair;
    while (in >> pair) {
        const auto comma = pair.find(',');
        if (comma == std::string::npos)
            return false;
        const auto x = ParseFileDouble(pair.substr(0, comma));
        const auto y = ParseFileDouble(pair.substr(comma + 1));
        if (!x || !y || !(*x >= 0 && *x <= 1) || !(*y >= 0 && *y <= 1))
            return false;
        out.push_back({ *x, *y });
    }
    return !out.empty();
}

bool ParseInt(const std::string& text, int& out)
{
    const auto v = ParseInteger(text);
    if (!v || *v < -2147483647LL || *v > 2147483647LL)
        return false;
    out = static_cast<int>(*v);
    return true;
}

std::string Number(double value)
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10);
    return std::string(text, result.ptr);
}

int RunTrack(const std::vector<std::string>& args)
{
    std::string videoPath;
    tracking::TPointDDynArray outline;
    std::vector<tracking::TPointDDynArray> zones;
    int first = -1, last = -1, step = 1, radius = 40;
    int method = tracking::tmMeanShift;
    bool haveFirst = false, haveLast = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (a == "--outline" && hasValue)
            ok = ParseVertices(args[++i], outline);
        else if (a == "--ignore" && hasValue) {
            zones.emplace_back();
            ok = ParseVertices(args[++i], zones.back());
        } else if (a == "--first" && hasValue)
            ok = haveFirst = ParseInt(args[++i], first);
        else if (a == "--last" && hasValue)
            ok = haveLast = ParseInt(args[++i], last);
        else if (a == "--step" && hasValue)
            ok = ParseInt(args[++i], step) && step >= 1;
        else if (a == "--radius" && hasValue)
            ok = ParseInt(args[++i], radius);
        else if (a == "--method" && hasValue) {
            const std::string& m = args[++i];
            ok = m == "meanshift" || m == "template";
            method = m == "template" ? tracking::tmTemplate : tracking::tmMeanShift;
        } else if (videoPath.empty() && !a.starts_with("--"))
            videoPath = a;
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }
    if (videoPath.empty() || outline.empty() || !haveFirst) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }

    media::TMediaPlayerFactory factory;
    video::TPlayerChain chain(factory);
    if (!chain.Open(videoPath)) {
        std::fprintf(stderr, "%s\n", video::TextCannotOpenVideo().c_str());
        if (!chain.ErrorText().empty())
            std::fprintf(stderr, "%s\n", chain.ErrorText().c_str());
        return 1;
    }
    video::TPlayer& player = *chain.Current();
    player.OnError = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
    TPlayerView view(player);
    TStepDocument document;
    document.step = step;
    TConsoleDlg dialog;
    TNoDesktop desktop;
    tracking::TTrackingSettings settings;
    settings.searchRadius = radius;
    settings.method = method;
    tracking::TTracking driver(view, document, dialog, desktop, settings);
    driver.Reset();
    if (first < 0 || first >= view.FrameCount()) {
        std::fprintf(stderr, "%s\n", Tr("Le numéro de la première image du suivi est incorrect.").c_str());
        return 1;
    }
    player.SetCurrentFrame(first);
    for (const auto& zone : zones)
        driver.AddZone(zone);
    driver.SetOutline(outline);
    if (haveLast)
        driver.SetLastFrame(last);
    if (!driver.StartCheck())
        return 1;
    driver.Run();
    const tracking::TTrackedObject& o = driver.Object(0);
    for (std::size_t f = 0; f < o.rawFrames.size(); ++f)
        if (o.rawFrames[f] >= 0)
            std::printf("%zu %s %s\n", f, Number(o.positions[f].x).c_str(), Number(o.positions[f].y).c_str());
    return o.lostFrame >= 0 ? 3 : 0;
}

const kinoval::cli::TRegisterCommand reg("track",
    "VIDEO --outline \"x1,y1 x2,y2 ...\" --first N [--last M] [--step S] "
    "[--radius R] [--method meanshift|template] [--ignore \"x1,y1 ...\"]...",
    RunTrack);

} // namespace
} // namespace kinoval::cli
#endif
