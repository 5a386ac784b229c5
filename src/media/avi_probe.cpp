#include "media/avi_probe.h"

#include "media/avi_file.h"

#include <cstdint>
#include <vector>

namespace kinoval::media {

namespace {

constexpr std::size_t kFramesLooked = 64;
constexpr std::uint32_t kLargestFrameLooked = 8u << 20;

// Reads unsigned Exp-Golomb codes from an H.264 NAL unit (emulation prevention bytes are rare this early
// in a slice header and only make the answer wrong, never the read unsafe).
class TBitReader {
public:
    TBitReader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    int Bit()
    {
        if (m_pos >= m_size * 8)
            return -1;
        const int bit = (m_data[m_pos / 8] >> (7 - m_pos % 8)) & 1;
        ++m_pos;
        return bit;
    }
    long Golomb()
    {
        int zeros = 0;
        int bit = 0;
        while ((bit = Bit()) == 0 && zeros < 31)
            ++zeros;
        if (bit < 0 || zeros >= 31)
            return -1;
        long value = 1;
        for (int i = 0; i < zeros; ++i) {
            const int b = Bit();
            if (b < 0)
                return -1;
            value = value << 1 | b;
        }
        return value - 1;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

bool HoldsBPicture(const std::vector<std::uint8_t>& d)
{
    for (std::size_t i = 0; i + 5 < d.size(); ++i) {
        if (d[i] != 0 || d[i + 1] != 0 || d[i + 2] != 1)
            continue;
        const std::uint8_t code = d[i + 3];
        if (code == 0xB6) { // MPEG-4 part 2 VOP: vop_coding_type 2 is B
            if ((d[i + 4] >> 6) == 2)
                return true;
        } else if (code == 0x00) { // MPEG-1/2 picture: 10 bits of temporal reference, then the type (3 is B)
            if (((d[i + 5] >> 3) & 7) == 3)
                return true;
        } else if ((code & 0x80) == 0 && ((code & 0x1F) == 1 || (code & 0x1F) == 5)) { // H.264 slice
            TBitReader bits(d.data() + i + 4, d.size() - i - 4);
            bits.Golomb(); // first_mb_in_slice
            const long sliceType = bits.Golomb();
            if (sliceType >= 0 && sliceType % 5 == 1)
                return true;
        }
        i += 2;
    }
    return false;
}

} // namespace

TAviProbe ProbeAvi(const std::string& fileName)
{
    TAviProbe probe;
    TAviFile avi;
    if (avi.Open(fileName) != 0)
        return probe;
    probe.isAvi = true;
    probe.repeatedIndex = avi.RepeatedIndexEntries();
    const auto& info = avi.Info();
    if (info.compression == 0 || info.compression == FourCC("MJPG") || info.compression == FourCC("mjpg"))
        return probe; // pictures that stand alone
    std::vector<std::uint8_t> bytes;
    const auto& frames = avi.Frames();
    for (std::size_t i = 0; i < frames.size() && i < kFramesLooked; ++i) {
        if (frames[i].size == 0 || frames[i].size > kLargestFrameLooked || !avi.ReadFrame(i, bytes))
            continue;
        if (HoldsBPicture(bytes)) {
            probe.bFrames = true;
            break;
        }
    }
    return probe;
}

} // namespace kinoval::media
