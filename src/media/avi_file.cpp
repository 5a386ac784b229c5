#include "media/avi_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unordered_set>

namespace kinoval::media {

namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::uint32_t Get32(const std::uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint64_t Get64(const std::uint8_t* p)
{
    return Get32(p) | static_cast<std::uint64_t>(Get32(p + 4)) << 32;
}

// The stream number of a chunk id "NNxx", or -1.
int StreamOfChunk(std::uint32_t id)
{
    int a = static_cast<int>(id & 0xFF) - '0';
    int b = static_cast<int>((id >> 8) & 0xFF) - '0';
    if (a < 0 || a > 9 || b < 0 || b > 9)
        return -1;
    return a * 10 + b;
}

bool IsVideoChunk(std::uint32_t id, int stream)
{
    if (StreamOfChunk(id) != stream)
        return false;
    std::uint32_t kind = id >> 16;
    return kind == ('d' | 'b' << 8) || kind == ('d' | 'c' << 8);
}

constexpr std::uint64_t kMaxFrames = 1u << 24; // more entries than any real file: the index is garbage

} // namespace

struct TAviFile::TImpl {
    std::unique_ptr<std::FILE, TFileCloser> file;
    std::uint64_t fileSize = 0;
    TAviStreamInfo info;
    std::vector<TAviFrameRef> frames;
    int videoStream = -1;
    std::vector<std::uint64_t> superIndex; // file positions of OpenDML standard index chunks
    bool indexOfChunksInStrl = false;
    std::uint64_t strlIndexPos = 0, strlIndexSize = 0;
    std::uint64_t moviStart = 0, moviEnd = 0; // 'movi' four-character code position, end of the list
    std::uint64_t idx1Pos = 0, idx1Size = 0;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> extraMovi; // AVIX movi lists
    bool repeatedIndex = false;

    bool Read(std::uint64_t pos, void* out, std::size_t size)
    {
        if (pos > fileSize || size > fileSize - pos)
            return false;
        if (fseeko(file.get(), static_cast<off_t>(pos), SEEK_SET) != 0)
            return false;
        return std::fread(out, 1, size, file.get()) == size;
    }

    bool ReadBlock(std::uint64_t pos, std::uint64_t size, std::vector<std::uint8_t>& out)
    {
        if (size > (64u << 20))
            return false;
        out.resize(static_cast<std::size_t>(size));
        return Read(pos, out.data(), out.size());
    }

    // Walks the chunks in [pos, end) of a list; depth guards against lists nested without end.
    void WalkHeaderList(std::uint64_t pos, std::uint64_t end, int depth, int& streamNumber)
    {
        if (depth > 8)
            return;
        std::uint8_t head[12];
        while (pos + 8 <= end) {
            if (!Read(pos, head, 8))
                return;
            std::uint32_t id = Get32(head);
            std::uint64_t size = Get32(head + 4);
            std::uint64_t body = pos + 8;
            std::uint64_t next = body + size + (size & 1);
            if (body + size > end)
                size = end - body; // a truncated last chunk: read what is there
            if (id == FourCC("LIST") && size >= 4 && Read(body, head + 8, 4)) {
                std::uint32_t kind = Get32(head + 8);
                if (kind == FourCC("strl")) {
                    ++streamNumber;
                    ParseStreamList(body + 4, body + size, streamNumber);
                } else {
                    WalkHeaderList(body + 4, body + size, depth + 1, streamNumber);
                }
            }
            pos = next;
        }
    }

    void ParseStreamList(std::uint64_t pos, std::uint64_t end, int streamNumber)
    {
        if (videoStream >= 0)
            return; // the first video stream only
        std::uint8_t head[8];
        bool isVideo = false;
        TAviStreamInfo candidate;
        std::vector<std::uint8_t> block;
        std::uint64_t indxPos = 0, indxSize = 0;
        while (pos + 8 <= end) {
            if (!Read(pos, head, 8))
                return;
            std::uint32_t id = Get32(head);
            std::uint64_t size = Get32(head + 4);
            std::uint64_t body = pos + 8;
            if (body + size > end)
                return;
            if (id == FourCC("strh") && size >= 48 && ReadBlock(body, size, block)) {
                isVideo = Get32(block.data()) == FourCC("vids");
                candidate.handler = Get32(block.data() + 4);
                candidate.scale = Get32(block.data() + 20);
                candidate.rate = Get32(block.data() + 24);
                candidate.start = Get32(block.data() + 28);
                candidate.length = Get32(block.data() + 32);
            } else if (id == FourCC("strf") && size >= 40 && ReadBlock(body, size, block)) {
                auto w = static_cast<std::int32_t>(Get32(block.data() + 4));
                auto h = static_cast<std::int32_t>(Get32(block.data() + 8));
                candidate.width = w;
                candidate.topDown = h < 0;
                candidate.height = h == INT32_MIN ? 0 : (h < 0 ? -h : h);
                candidate.bitCount = Get16(block.data() + 14);
                candidate.compression = Get32(block.data() + 16);
            } else if (id == FourCC("indx")) {
                indxPos = body;
                indxSize = size;
            }
            pos = body + size + (size & 1);
        }
        if (!isVideo)
            return;
        info = candidate;
        videoStream = streamNumber;
        strlIndexPos = indxPos;
        strlIndexSize = indxSize;
    }

    // Reads an OpenDML index at pos (its body) into frames; index of indexes recurse one level. A standard
    // index is read once however many entries of the super index point at it: a crafted file repeating
    // one entry would otherwise cost its count times the index's size.
    bool ReadOpenDmlIndex(std::uint64_t pos, std::uint64_t size, int depth)
    {
        std::vector<std::uint8_t> block;
        if (size < 24 || depth > 1 || !ReadBlock(pos, size, block))
            return false;
        std::uint16_t longsPerEntry = Get16(block.data());
        std::uint8_t indexType = block[3];
        std::uint64_t entries = Get32(block.data() + 4);
        if (indexType == 0) { // index of indexes: 16-byte entries from byte 24
            if (longsPerEntry != 4 || 24 + entries * 16 > size)
                return false;
            std::unordered_set<std::uint64_t> seen;
            for (std::uint64_t i = 0; i < entries; ++i) {
                const std::uint8_t* e = block.data() + 24 + i * 16;
                std::uint64_t chunk = Get64(e);
                if (!seen.insert(chunk).second) {
                    repeatedIndex = true;
                    continue;
                }
                std::uint8_t head[8];
                if (!Read(chunk, head, 8))
                    return false;
                if (!ReadOpenDmlIndex(chunk + 8, Get32(head + 4), depth + 1))
                    return false;
            }
            return true;
        }
        if (indexType != 1 || longsPerEntry != 2 || 24 + entries * 8 > size)
            return false;
        std::uint64_t base = Get64(block.data() + 12);
        for (std::uint64_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = block.data() + 24 + i * 8;
            if (frames.size() >= kMaxFrames)
                return false;
            frames.push_back({ base + Get32(e), Get32(e + 4) & 0x7FFFFFFFu });
        }
        return true;
    }

    bool ReadIdx1()
    {
        std::vector<std::uint8_t> block;
        if (idx1Size < 16 || !ReadBlock(idx1Pos, idx1Size - idx1Size % 16, block))
            return false;
        std::size_t count = block.size() / 16;
        // Offsets count from the 'movi' code in most files, from the file's start in a few: the first video
        // entry's chunk id tells which.
        std::uint64_t base = moviStart;
        bool decided = false;
        for (std::size_t i = 0; i < count && frames.size() < kMaxFrames; ++i) {
            const std::uint8_t* e = block.data() + i * 16;
            std::uint32_t id = Get32(e);
            if (!IsVideoChunk(id, videoStream))
                continue;
            std::uint64_t offset = Get32(e + 8);
            if (!decided) {
                std::uint8_t head[4];
                if (Read(moviStart + offset, head, 4) && Get32(head) == id)
                    base = moviStart;
                else if (Read(offset, head, 4) && Get32(head) == id)
                    base = 0;
                decided = true;
            }
            frames.push_back({ base + offset + 8, Get32(e + 12) });
        }
        return !frames.empty();
    }

    void ScanMovi(std::uint64_t pos, std::uint64_t end, int depth)
    {
        std::uint8_t head[12];
        while (pos + 8 <= end && depth < 4 && frames.size() < kMaxFrames) {
            if (!Read(pos, head, 8))
                return;
            std::uint32_t id = Get32(head);
            std::uint64_t size = Get32(head + 4);
            if (id == FourCC("LIST") && size >= 4 && Read(pos + 8, head + 8, 4) && Get32(head + 8) == FourCC("rec ")) {
                ScanMovi(pos + 12, std::min(end, pos + 8 + size), depth + 1);
            } else if (IsVideoChunk(id, videoStream)) {
                frames.push_back({ pos + 8, static_cast<std::uint32_t>(size) });
            }
            pos += 8 + size + (size & 1);
        }
    }
};

TAviFile::TAviFile()
    : m_impl(std::make_unique<TImpl>())
{
}
TAviFile::~TAviFile() = default;

int TAviFile::Open(const std::string& fileName)
{
    Close();
    auto& m = *m_impl;
    // Regular files only: opening a FIFO blocks until someone writes to it, a device never ends.
    struct stat status { };
    if (::stat(fileName.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
    m.file.reset(std::fopen(fileName.c_str(), "rb"));
    if (!m.file)
        return -1;
    if (fseeko(m.file.get(), 0, SEEK_END) != 0)
        return -1;
    m.fileSize = static_cast<std::uint64_t>(ftello(m.file.get()));
    std::uint8_t head[12];
    if (!m.Read(0, head, 12) || Get32(head) != FourCC("RIFF") || Get32(head + 8) != FourCC("AVI "))
        return -2;

    // Top level: RIFF 'AVI ' then any number of RIFF 'AVIX' (OpenDML continuations).
    std::uint64_t riffPos = 0;
    int streamNumber = -1;
    bool first = true;
    while (riffPos + 12 <= m.fileSize) {
        if (!m.Read(riffPos, head, 12) || Get32(head) != FourCC("RIFF"))
            break;
        const std::uint64_t riffSize = Get32(head + 4);
        std::uint64_t riffEnd = std::min(m.fileSize, riffPos + 8 + riffSize);
        std::uint64_t pos = riffPos + 12;
        while (pos + 8 <= riffEnd) {
            if (!m.Read(pos, head, 8))
                break;
            std::uint32_t id = Get32(head);
            std::uint64_t size = Get32(head + 4);
            std::uint64_t body = pos + 8;
            std::uint64_t bodyEnd = std::min(riffEnd, body + size);
            if (id == FourCC("LIST") && size >= 4 && m.Read(body, head + 8, 4)) {
                std::uint32_t kind = Get32(head + 8);
                if (kind == FourCC("hdrl") && first)
                    m.WalkHeaderList(body + 4, bodyEnd, 0, streamNumber);
                else if (kind == FourCC("movi")) {
                    if (first) {
                        m.moviStart = body;
                        m.moviEnd = bodyEnd;
                    } else {
                        m.extraMovi.emplace_back(body, bodyEnd);
                    }
                }
            } else if (id == FourCC("idx1") && first) {
                m.idx1Pos = body;
                m.idx1Size = bodyEnd - body;
            }
            pos = body + size + (size & 1);
        }
        first = false;
        std::uint64_t next = riffPos + 8 + riffSize;
        next += next & 1;
        if (next <= riffPos)
            break;
        riffPos = next;
    }
    if (m.videoStream < 0)
        return -3;
    if (m.strlIndexSize > 0 && m.ReadOpenDmlIndex(m.strlIndexPos, m.strlIndexSize, 0) && !m.frames.empty()) {
        // the OpenDML index covers every RIFF part
    } else {
        m.frames.clear();
        if (m.idx1Size == 0 || !m.ReadIdx1()) {
            m.frames.clear();
            if (m.moviStart > 0)
                m.ScanMovi(m.moviStart + 4, m.moviEnd, 0);
            for (const auto& [start, end] : m.extraMovi)
                m.ScanMovi(start + 4, end, 0);
        }
    }
    if (m.frames.empty())
        return -4;
    return 0;
}

void TAviFile::Close()
{
    *m_impl = TImpl {};
}

const TAviStreamInfo& TAviFile::Info() const
{
    return m_impl->info;
}
const std::vector<TAviFrameRef>& TAviFile::Frames() const
{
    return m_impl->frames;
}
bool TAviFile::RepeatedIndexEntries() const
{
    return m_impl->repeatedIndex;
}

bool TAviFile::ReadFrame(std::size_t i, std::vector<std::uint8_t>& data)
{
    auto& m = *m_impl;
    if (!m.file || i >= m.frames.size())
        return false;
    const auto& f = m.frames[i];
    // The index says how large the frame is; the file says whether it can be: a crafted entry claiming
    // 4 GiB is refused before any buffer is sized for it.
    if (f.offset > m.fileSize || f.size > m.fileSize - f.offset) {
        data.clear();
        return false;
    }
    data.resize(f.size);
    return m.Read(f.offset, data.data(), f.size);
}

} // namespace kinoval::media
