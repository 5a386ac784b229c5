#include "core/video/player_choice.h"

#include "core/common/file_access.h"
#include "core/common/texts.h"

#include <cctype>

#include <sys/stat.h>

namespace kinoval::video {

const std::array<std::string_view, 6>& KnownExtensions()
{
    static const std::array<std::string_view, 6> extensions { ".avi", ".mpg", ".mpeg", ".wmv", ".mov", ".mp4" };
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
        return bkAvi;
    if (index <= 3)
        return bkGStreamer;
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
    return FormatText(Tr("Fichier vidéo (%s)|%s|Fichier Kinoval (*.kvl)|*.kvl"), { patterns, patterns });
}

std::string RefusedVideoFile(const std::string& fileName)
{
    if (std::string reason = NotARegularFileReason(fileName); !reason.empty())
        return reason;
    struct stat status { };
    if (::stat(fileName.c_str(), &status) == 0 && status.st_size == 0)
        return Tr("Le fichier est vide : il ne contient aucune image.");
    return {};
}

TPlayerChain::TPlayerChain(TPlayerFactory& factory)
    : m_factory(factory)
{
    MakePlayers(m_players);
}

void TPlayerChain::MakePlayers(TPlayers& players)
{
    for (int i = 0; i < kBackendCount; ++i) {
        auto& player = players[static_cast<std::size_t>(i)];
        player = m_factory.CreatePlayer(i);
        if (player)
            player->OnError = m_onError;
    }
}

void TPlayerChain::SetErrorHandler(std::function<void(const std::string&)> handler)
{
    m_onError = std::move(handler);
    for (TPlayers* set : { &m_players, &m_spare }) {
        for (auto& player : *set) {
            if (player)
                player->OnError = m_onError;
        }
    }
}

int TPlayerChain::OpenWith(TPlayers& players, const std::string& fileName, int first)
{
    for (int b = first; b < kBackendCount; ++b) {
        TPlayer* player = players[static_cast<std::size_t>(b)].get();
        if (!player)
            continue;
        const bool ok = player->Open(fileName);
        if (b == bkFFmpeg)
            m_errorText = player->ErrorText();
        if (ok)
            return b;
    }
    return -1;
}

bool TPlayerChain::Open(const std::string& fileName)
{
    m_errorText.clear();
    const int first = BackendForFile(fileName, m_backend);
    if (Current() == nullptr) {
        Close();
        const int opened = OpenWith(m_players, fileName, first);
        // A failure still remembers the last back-end tried, as the choice for the next unknown extension.
        m_backend = opened >= 0 ? opened : kBackendCount - 1;
        return opened >= 0;
    }
    // A video is open: it stays so until the new file is known to open.
    if (!m_spare[0])
        MakePlayers(m_spare);
    const int opened = OpenWith(m_spare, fileName, first);
    if (opened < 0) {
        for (auto& player : m_spare) {
            if (player)
                player->Close();
        }
        return false;
    }
    std::swap(m_players, m_spare);
    for (auto& player : m_spare) {
        if (player)
            player->Close();
    }
    m_backend = opened;
    return true;
}

void TPlayerChain::Close()
{
    for (TPlayers* set : { &m_players, &m_spare }) {
        for (auto& player : *set) {
            if (player)
                player->Close();
        }
    }
}

TPlayer* TPlayerChain::Current() const
{
    TPlayer* player = m_players[static_cast<std::size_t>(m_backend)].get();
    return player && player->Opened() ? player : nullptr;
}

} // namespace kinoval::video
