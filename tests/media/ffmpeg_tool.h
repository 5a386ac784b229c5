#pragma once
// Videos made, and read back, by the ffmpeg tool itself: our numbered frames go in as raw RGB and come out
// in any container and codec the tool writes; the tool's own decoding of a file (presentation order, every
// picture once, turned upright as its players show it) is what our back-ends are held to.

#include "frame_code.h"
#include "support/run_command.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace kinoval::test {

inline std::string ShellQuoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Whether the ffmpeg tool of the machine has this encoder.
inline bool HaveEncoder(const std::string& name)
{
    static const std::string list = RunCommand("ffmpeg -hide_banner -encoders");
    return list.find(" " + name + " ") != std::string::npos;
}

struct TToolVideo {
    std::string name; // file name; its extension picks the container unless the options say -f
    std::string encoder; // what HaveEncoder must find
    std::string options; // ffmpeg options between the input and the output
    int width = 192;
    int height = 144;
    int frames = 40;
    std::string rate = "25"; // input frame rate, as ffmpeg reads it ("30000/1001")
};

// Writes frames numbered 0 .. frames - 1 through the ffmpeg tool; false (with the tool's words in log)
// when it fails.
inline bool MakeWithFFmpegTool(const std::string& folder, const TToolVideo& video, std::string* log = nullptr)
{
    const std::string raw = folder + "/" + video.name + ".rgb";
    {
        std::ofstream out(raw, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < video.frames; ++i) {
            TRgbImage frame = MakeNumberedFrame(video.width, video.height, i);
            out.write(
                reinterpret_cast<const char*>(frame.pixels.data()), static_cast<std::streamsize>(frame.pixels.size()));
        }
        if (!out)
            return false;
    }
    const std::string command = "ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt rgb24 -s "
        + std::to_string(video.width) + "x" + std::to_string(video.height) + " -framerate " + video.rate + " -i "
        + ShellQuoted(raw) + " " + video.options + " " + ShellQuoted(folder + "/" + video.name);
    const std::string said = RunCommand(command);
    std::remove(raw.c_str());
    if (log != nullptr)
        *log = said;
    std::ifstream check(folder + "/" + video.name, std::ios::binary | std::ios::ate);
    return check && check.tellg() > 0;
}

// The ffmpeg tool's own decoding of a file: every picture in presentation order, as RGB of the given size
// (the size after the display matrix's turn).
inline std::vector<TRgbImage> ToolFrames(const std::string& path, int width, int height)
{
    const std::string out = path + ".ref.rgb";
    RunCommand("ffmpeg -nostdin -v error -y -i " + ShellQuoted(path) + " -map 0:v:0 -fps_mode passthrough -f rawvideo "
        + "-pix_fmt rgb24 " + ShellQuoted(out));
    std::ifstream in(out, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::remove(out.c_str());
    std::vector<TRgbImage> frames;
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    for (std::size_t at = 0; size > 0 && at + size <= bytes.size(); at += size) {
        TRgbImage image(width, height);
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(at),
            bytes.begin() + static_cast<std::ptrdiff_t>(at + size), reinterpret_cast<char*>(image.pixels.data()));
        frames.push_back(std::move(image));
    }
    return frames;
}

// The presentation time of every picture as the tool's prober reports it, seconds.
inline std::vector<double> ToolFrameTimes(const std::string& path)
{
    std::istringstream lines(
        RunCommand("ffprobe -v error -select_streams v:0 -show_entries frame=best_effort_timestamp_time "
                   "-of csv=p=0 "
            + ShellQuoted(path)));
    std::vector<double> times;
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line != "N/A")
            times.push_back(std::stod(line));
    }
    return times;
}

// Writes into an MP4's first track header the display matrix of a phone held upright (the picture is
// stored turned by degrees counterclockwise, 90, 180 or 270, and must be shown turned back clockwise).
inline bool SetDisplayRotation(const std::string& path, int degrees)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    const std::string tag = "tkhd";
    auto at = std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end());
    if (at == bytes.end())
        return false;
    const std::size_t type = static_cast<std::size_t>(at - bytes.begin());
    const std::size_t matrix = type + (bytes[type + 4] == 1 ? 56 : 44);
    // 16.16 fixed point a, b, c, d; the last column 2.30.
    const int c = degrees == 180 ? -1 : 0, s = degrees == 90 ? 1 : (degrees == 270 ? -1 : 0);
    const std::int32_t values[9] = { c * 65536, s * 65536, 0, -s * 65536, c * 65536, 0, 0, 0, 0x40000000 };
    if (matrix + 36 > bytes.size())
        return false;
    for (int i = 0; i < 9; ++i) {
        const auto v = static_cast<std::uint32_t>(values[i]);
        for (int k = 0; k < 4; ++k)
            bytes[matrix + static_cast<std::size_t>(i) * 4 + static_cast<std::size_t>(k)]
                = static_cast<char>(v >> (24 - 8 * k));
    }
    file.clear();
    file.seekp(0);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// Peak signal-to-noise ratio of two pictures of one size, dB (99 for identical ones, 0 for other sizes).
inline double Psnr(const TRgbImage& a, const TRgbImage& b)
{
    if (a.width != b.width || a.height != b.height || a.pixels.empty())
        return 0;
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const double d = static_cast<double>(a.pixels[i]) - b.pixels[i];
        sum += d * d;
    }
    const double mse = sum / static_cast<double>(a.pixels.size());
    return mse <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

} // namespace kinoval::test
