#pragma once
// Which player reads a file. The extension picks the preferred back-end (".avi" our AVI reader, the MPEG
// and Windows Media family the GStreamer player, the rest FFmpeg); a failed open falls through to the next
// back-end in the order 0 -> 1 -> 2, never backwards. An unknown extension keeps the previous file's
// choice, so a folder of odd files opened one after the other is read the same way.
//
// The chain owns its three players, made by a factory so that core tests can put synthetic players in.
// It does not stop playback nor touch the document, the montage or the geometry: the view does that
// around Open (stop playback before; time base, montage count, recorder reset, source rectangle and
// cached positions after a success).
//
// While a video is open, a new file is tried on a second set of players, made when first needed; only
// a success swaps the sets and closes the old video. So a file that no back-end reads leaves the open
// video, its current frame and everything measured on it exactly as they were.

#include "core/video/player.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kinoval::video {

// ".avi", ".mpg", ".mpeg", ".wmv", ".mov", ".mp4", in that order.
const std::array<std::string_view, 6>& KnownExtensions();

// Index of the extension of fileName in KnownExtensions (compared without regard to case), or -1.
int KnownExtensionIndex(std::string_view fileName);

// The preferred back-end for a file: 0 for index 0, 1 for 1..3, 2 for 4 and up; previous otherwise.
int BackendForFile(std::string_view fileName, int previous);

// "Fichier vidéo (*.avi;...)|*.avi;...|Fichier Kinoval (*.kvl)|*.kvl"
std::string OpenDialogFilter();

// Why a path is no video file for any reader to try, or empty. Every back-end asks first: a folder, a pipe
// (its reader would block), a device (/dev/zero never ends) or an empty file is refused with its own words
// rather than with each decoder's.
std::string RefusedVideoFile(const std::string& fileName);

class TPlayerFactory {
public:
    virtual ~TPlayerFactory() = default;
    // A new closed player for back-end 0, 1 or 2.
    virtual std::unique_ptr<TPlayer> CreatePlayer(int backend) = 0;
};

class TPlayerChain {
public:
    explicit TPlayerChain(TPlayerFactory& factory);

    // Opens fileName with the preferred back-end and its successors. True when one of them opened it;
    // the other players are closed. ErrorText is the FFmpeg player's error text when it was tried. On a
    // failure the video open before stays open, on the same frame.
    bool Open(const std::string& fileName);
    void Close();

    // Called with a player's errors met while seeking (a damaged frame...), for every player the chain
    // makes, also those made later.
    void SetErrorHandler(std::function<void(const std::string&)> handler);

    int Backend() const { return m_backend; }
    // The player the last success opened, or nullptr.
    TPlayer* Current() const;
    TPlayer& Player(int backend) const { return *m_players[static_cast<std::size_t>(backend)]; }
    const std::string& ErrorText() const { return m_errorText; }

private:
    using TPlayers = std::array<std::unique_ptr<TPlayer>, kBackendCount>;
    // Tries the back-ends from the preferred one on; the back-end that opened the file, or -1.
    int OpenWith(TPlayers& players, const std::string& fileName, int first);
    void MakePlayers(TPlayers& players);

    TPlayerFactory& m_factory;
    TPlayers m_players;
    TPlayers m_spare; // empty until a file is opened over another
    int m_backend = bkAvi;
    std::string m_errorText;
    std::function<void(const std::string&)> m_onError;
};

} // namespace kinoval::video
