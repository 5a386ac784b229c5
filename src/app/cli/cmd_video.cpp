// kinoval-cli info [--backend B] VIDEO and kinoval-cli frame [--backend B] VIDEO N OUT.png: what the back-end
// chain makes of a video, or what one back-end alone makes of it (0 our AVI reader, 1 GStreamer, 2 FFmpeg).
#include "cli/cli_command.h"

#ifdef KINOVAL_HAVE_MEDIA
#include "core/common/numbers.h"
#include "core/common/png_writer.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "media/player_factory.h"

#include <charconv>
#include <cstdio>
#include <memory>

namespace kinoval::cli {
namespace {

std::string Number(double value)
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, result.ptr);
}

// The player that opened the video: the chain's choice, or the one back-end asked for.
class TOpenedVideo {
public:
    // Opens fileName; on failure prints why, as the window would, and Player() is null.
    TOpenedVideo(const std::string& fileName, int backend)
    {
        bool ok = false;
        std::string error;
        if (backend < 0) {
            m_chain = std::make_unique<kinoval::video::TPlayerChain>(m_factory);
            ok = m_chain->Open(fileName);
            error = m_chain->ErrorText();
            m_backend = m_chain->Backend();
        } else {
            m_single = m_factory.CreatePlayer(backend);
            ok = m_single && m_single->Open(fileName);
            error = m_single ? m_single->ErrorText() : std::string();
            m_backend = backend;
        }
        if (ok) {
            m_player = backend < 0 ? m_chain->Current() : m_single.get();
            return;
        }
        std::fprintf(stderr, "%s\n", kinoval::video::TextCannotOpenVideo().c_str());
        if (!error.empty())
            std::fprintf(stderr, "%s\n", error.c_str());
    }
    kinoval::video::TPlayer* Player() const { return m_player; }
    int Backend() const { return m_backend; }

private:
    kinoval::media::TMediaPlayerFactory m_factory;
    std::unique_ptr<kinoval::video::TPlayerChain> m_chain; // only the players of the back-end asked for are made
    std::unique_ptr<kinoval::video::TPlayer> m_single;
    kinoval::video::TPlayer* m_player = nullptr;
    int m_backend = -1;
};

// Takes "--backend B" out of args; false when B is not a back-end index.
bool TakeBackend(std::vector<std::string>& args, int& backend)
{
    backend = -1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--backend")
            continue;
        auto b = i + 1 < args.size() ? kinoval::ParseInteger(args[i + 1]) : std::nullopt;
        if (!b || *b < 0 || *b >= kinoval::video::kBackendCount)
            return false;
        backend = static_cast<int>(*b);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

int RunInfo(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args = arguments;
    int backend = -1;
    if (!TakeBackend(args, backend) || args.size() != 1) {
        std::fprintf(stderr, "usage: kinoval-cli info [--backend 0|1|2] VIDEO\n");
        return 2;
    }
    TOpenedVideo video(args[0], backend);
    if (video.Player() == nullptr)
        return 1;
    const auto& player = *video.Player();
    std::printf("backend: %d\nframes: %d\nfps: %s\nduration: %s\nwidth: %d\nheight: %d\nvariable: %d\n",
        video.Backend(), player.FrameCount(), Number(player.FramesPerSecond()).c_str(),
        Number(player.Duration()).c_str(), player.Width(), player.Height(), player.VariableFrameDuration() ? 1 : 0);
    return 0;
}

int RunFrame(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args = arguments;
    int backend = -1;
    const bool backendOk = TakeBackend(args, backend);
    auto n = backendOk && args.size() == 3 ? kinoval::ParseInteger(args[1]) : std::nullopt;
    if (!n || *n < -2147483647LL || *n > 2147483647LL) {
        std::fprintf(stderr, "usage: kinoval-cli frame [--backend 0|1|2] VIDEO N OUT.png\n");
        return 2;
    }
    TOpenedVideo video(args[0], backend);
    if (video.Player() == nullptr)
        return 1;
    auto& player = *video.Player();
    bool reported = false;
    player.OnError = [&](const std::string& text) {
        std::fprintf(stderr, "%s\n", text.c_str());
        reported = true;
    };
    player.SetCurrentFrame(static_cast<int>(*n));
    kinoval::TRgbImage image;
    if (!player.Draw(image)) {
        if (!reported)
            std::fprintf(stderr, "%s\n", kinoval::video::TextDamagedFrame().c_str());
        return 1;
    }
    std::string reason;
    if (kinoval::WritePng(args[2], image, &reason) != 0) {
        std::fprintf(stderr, "%s\n%s\n",
            kinoval::FormatText(
                kinoval::Tr("Impossible d'écrire le fichier %s."), { kinoval::EscapeForMessage(args[2]) })
                .c_str(),
            reason.c_str());
        return 1;
    }
    return reported ? 1 : 0;
}

const kinoval::cli::TRegisterCommand regInfo("info", "[--backend 0|1|2] VIDEO", RunInfo);
const kinoval::cli::TRegisterCommand regFrame("frame", "[--backend 0|1|2] VIDEO N OUT.png", RunFrame);

} // namespace
} // namespace kinoval::cli
#endif
