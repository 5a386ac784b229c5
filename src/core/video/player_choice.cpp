#include "core/video/player_choice.h"

#include "core/common/file_access.h"
#include "core/common/texts.h"

#include <cctype>

#include <sys/stat.h>

namespace kinoval::video {

const std::array<std::string_view, 6>& KnownExtensions()
{
    static const std::array<std::string_view, 6> extensions{".avi", ".mpg", ".mpeg", ".wmv", ".mov", ".mp4"};
    return extensions;
}

int KnownExtensionIndex(std::string_view fileName)
{
    std::size_t dot = fileName.find_last_of('.');
    std::size_t slash = fileName.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return -1;
    std::string ext;
    for (char c : fileName.substr(dot))
        ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto& known = KnownExtensions();
    for (std::size_t i = 0; i < known.size(); ++i) {
        if (known[i] == ext)
            return static_cast<int>(i);
    }
    return -1;
}

int BackendForFile(std::string_view fileName, int previous)
{
    int index = KnownExtensionIndex(fileName);
    if (index < 0)
        return previous;
    if (index == 0)
        return bkVfw;
    if (index <= 3)
        return bkDirectShow;
    return bkFFmpeg;
}

std::string OpenDialogFilter()
{
    std::string patterns;
    for (auto ext : KnownExtensions()) {
        if (!patterns.empty())
            patterns += ';';
        patterns += '*';
        patterns += ext;
    }
    return FormatText(Tr("Fichier vidéo (%s)|%s|Fichier Kinoval (*.kvl)|*.kvl"), {patterns, patterns});
}

std::string RefusedVideoFile(const std::string& fileName)
{
    if (std::string reason = NotARegularFileReason(fileName); !reason.empty())
        return reason;
    struct stat status { };
    if (::stat(fileName.c_str(), &status) == 0 && status.st_size == 0)
        return Tr("Le fichier est vide.");
    return {};
}

TPlayerChain::TPlayerChain(TPlayerFactory& factory)
{
    for (int i = 0; i < kBackendCount; ++i)
        m_players[static_cast<std::size_t>(i)] = factory.CreatePlayer(i);
}

bool TPlayerChain::Open(const std::string& fileName)
{
    m_errorText.clear();
    Close();
    int backend = BackendForFile(fileName, m_backend);
    m_backend = backend;
    for (int b = backend; b < kBackendCount; ++b) {
        m_backend = b;
        TPlayer* player = m_players[static_cast<std::size_t>(b)].get();
        if (!player)
            continue;
        bool ok = player->Open(fileName);
        if (b == bkFFmpeg)
            m_errorText = player->ErrorText();
        if (ok)
            return true;
    }
    return false;
}

void TPlayerChain::Close()
{
    for (auto& player : m_players) {
        if (player)
            player->Close();
    }
}

TPlayer* TPlayerChain::Current() const
{
    TPlayer* player = m_players[static_cast<std::size_t>(m_backend)].get();
    return player && player->Opened() ? player : nullptr;
}

} // namespace kinoval::video
