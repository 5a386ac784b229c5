// kinoval-cli info VIDEO and kinoval-cli frame VIDEO N OUT.png: what the back-end chain makes of a video.
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

namespace {

std::string Number(double value)
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, result.ptr);
}

// Opens the video through the chain; on failure prints why, as the window would.
bool OpenVideo(kinoval::video::TPlayerChain& chain, const std::string& fileName)
{
    if (chain.Open(fileName))
        return true;
    std::fprintf(stderr, "%s\n", kinoval::video::TextCannotOpenVideo().c_str());
    if (!chain.ErrorText().empty())
        std::fprintf(stderr, "%s\n", chain.ErrorText().c_str());
    return false;
}

int RunInfo(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kinoval-cli info VIDEO\n");
        return 2;
    }
    kinoval::media::TMediaPlayerFactory factory;
    kinoval::video::TPlayerChain chain(factory);
    if (!OpenVideo(chain, args[0]))
        return 1;
    const auto& player = *chain.Current();
    std::printf("backend: %d\nframes: %d\nfps: %s\nduration: %s\nwidth: %d\nheight: %d\n", chain.Backend(),
        player.FrameCount(), Number(player.FramesPerSecond()).c_str(), Number(player.Duration()).c_str(),
        player.Width(), player.Height());
    return 0;
}

int RunFrame(const std::vector<std::string>& args)
{
    auto n = args.size() == 3 ? kinoval::ParseInteger(args[1]) : std::nullopt;
    if (!n || *n < -2147483647LL || *n > 2147483647LL) {
        std::fprintf(stderr, "usage: kinoval-cli frame VIDEO N OUT.png\n");
        return 2;
    }
    kinoval::media::TMediaPlayerFactory factory;
    kinoval::video::TPlayerChain chain(factory);
    if (!OpenVideo(chain, args[0]))
        return 1;
    auto& player = *chain.Current();
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

const kinoval::cli::TRegisterCommand regInfo("info", "VIDEO", RunInfo);
const kinoval::cli::TRegisterCommand regFrame("frame", "VIDEO N OUT.png", RunFrame);

} // namespace
#endif
