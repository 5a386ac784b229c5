// An AVI file of arbitrary bytes opened by our reader as the program opens one: the RIFF walk, the
// indexes, then every frame's decoding (uncompressed DIB rows or MJPEG through libjpeg-turbo), the first,
// the last and a few between. Whatever the bytes, the reader refuses or answers with sane numbers, and
// each frame is drawn or reported, never read outside the file.
#include "core/common/rgb_image.h"
#include "media/avi_file.h"
#include "media/avi_play.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The bytes as a file without touching the disk: a memory file named through /proc.
class TMemoryFile {
public:
    TMemoryFile(const std::uint8_t* bytes, std::size_t size)
    {
        m_fd = ::memfd_create("fuzz.avi", MFD_CLOEXEC);
        if (m_fd < 0)
            std::abort();
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(m_fd, bytes + done, size - done);
            if (n <= 0)
                std::abort();
            done += static_cast<std::size_t>(n);
        }
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~TMemoryFile() { ::close(m_fd); }
    const std::string& Path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace kinoval;
    const TMemoryFile file(bytes, size);

    media::TAviFile avi;
    if (avi.Open(file.Path()) == 0) {
        const auto& frames = avi.Frames();
        if (frames.empty())
            std::abort(); // an open reader has at least one frame
        std::vector<std::uint8_t> data;
        for (std::size_t i = 0; i < frames.size() && i < 64; ++i)
            if (avi.ReadFrame(i, data) && data.size() != frames[i].size && frames[i].size != 0)
                std::abort();
    }

    media::TAviPlay player;
    int errors = 0;
    player.OnError = [&errors](const std::string&) { ++errors; };
    if (!player.Open(file.Path()))
        return 0;
    const int count = player.FrameCount();
    if (count <= 0 || player.Width() <= 0 || player.Height() <= 0 || !(player.FramesPerSecond() > 0))
        std::abort();
    const int step = count > 8 ? count / 8 : 1;
    for (int n : { count - 1, 0 }) {
        player.SetCurrentFrame(n);
        TRgbImage image;
        const int before = errors;
        if (player.Draw(image)) {
            if (image.width != player.Width() || image.height != player.Height()
                || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
                std::abort();
        } else if (errors == before) {
            std::abort(); // a frame that cannot be drawn is reported
        }
    }
    for (int n = 0; n < count; n += step) {
        player.SetCurrentFrame(n);
        TRgbImage image;
        player.Draw(image);
    }
    return 0;
}
