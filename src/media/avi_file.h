#pragma once
// The RIFF side of our AVI reader: headers of the first video stream and where each of its frames lies,
// from the OpenDML index when there is one, else from idx1, else from a walk of the movi list. Every size
// and offset read from the file is checked against the file's length before use.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kinoval::media {

struct TAviStreamInfo {
    std::uint32_t handler = 0; // strh four-character code
    std::uint32_t compression = 0; // strf biCompression (0: uncompressed)
    int bitCount = 0;
    int width = 0;
    int height = 0; // positive; topDown says the row order of uncompressed frames
    bool topDown = false;
    std::uint32_t rate = 0;
    std::uint32_t scale = 0;
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

struct TAviFrameRef {
    std::uint64_t offset = 0; // of the frame's data in the file
    std::uint32_t size = 0; // 0 for a dropped frame, which repeats the previous one
};

class TAviFile {
public:
    TAviFile();
    ~TAviFile();
    TAviFile(const TAviFile&) = delete;
    TAviFile& operator=(const TAviFile&) = delete;

    // 0 on success; -1 cannot read, -2 not an AVI, -3 no video stream, -4 no frame found.
    int Open(const std::string& fileName);
    void Close();

    const TAviStreamInfo& Info() const;
    const std::vector<TAviFrameRef>& Frames() const;
    // Whether the OpenDML super index pointed more than once at one standard index (read once).
    bool RepeatedIndexEntries() const;
    // Reads frame i's bytes; false when the index points outside the file or the read fails.
    bool ReadFrame(std::size_t i, std::vector<std::uint8_t>& data);

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

constexpr std::uint32_t FourCC(const char (&s)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

} // namespace kinoval::media
