#include "core/video/frame_index.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace kinoval::video {

namespace {

// Decoding times for every packet: a missing one follows the one before.
std::vector<std::int64_t> FilledDecodingTimes(const std::vector<TPacketStamp>& packets)
{
    std::vector<std::int64_t> dts(packets.size());
    for (std::size_t i = 0; i < packets.size(); ++i) {
        std::int64_t d = packets[i].dts;
        if (d == kNoTime)
            d = i == 0 ? (packets[0].pts != kNoTime ? packets[0].pts : 0) : dts[i - 1] + 1;
        dts[i] = d;
    }
    return dts;
}

// Presentation times rebuilt for a container that stores decoding times only.
std::vector<std::int64_t> RebuiltTimes(const std::vector<TPacketStamp>& packets, const std::vector<std::int64_t>& dts)
{
    const std::size_t n = packets.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    const bool byOrderCount
        = std::all_of(packets.begin(), packets.end(), [](const TPacketStamp& p) { return p.hasOrder; });
    if (byOrderCount) {
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return std::tie(packets[a].orderPeriod, packets[a].orderCount, a)
                < std::tie(packets[b].orderPeriod, packets[b].orderCount, b);
        });
    } else {
        // The anchor rule: a packet with a time (a B-frame, shown at once) keeps it; one without (an I or
        // P picture, held back) is shown at the decoding time of the next one without.
        std::vector<std::int64_t> shownAt(n);
        std::int64_t next = *std::max_element(dts.begin(), dts.end()) + 1;
        for (std::size_t i = n; i-- > 0;) {
            if (packets[i].pts != kNoTime) {
                shownAt[i] = packets[i].pts;
            } else {
                shownAt[i] = next;
                next = dts[i];
            }
        }
        std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return std::tie(shownAt[a], a) < std::tie(shownAt[b], b); });
    }
    std::vector<std::int64_t> grid = dts;
    std::sort(grid.begin(), grid.end());
    std::vector<std::int64_t> pts(n);
    for (std::size_t r = 0; r < n; ++r)
        pts[order[r]] = grid[r];
    return pts;
}

} // namespace

TFrameIndex BuildFrameIndex(const std::vector<TPacketStamp>& packets)
{
    TFrameIndex index;
    const std::size_t n = packets.size();
    if (n == 0)
        return index;
    const std::vector<std::int64_t> dts = FilledDecodingTimes(packets);
    std::vector<std::int64_t> pts(n);
    const bool allTimed
        = std::all_of(packets.begin(), packets.end(), [](const TPacketStamp& p) { return p.pts != kNoTime; });
    if (allTimed) {
        for (std::size_t i = 0; i < n; ++i)
            pts[i] = packets[i].pts;
    } else {
        pts = RebuiltTimes(packets, dts);
        index.rebuilt = true;
    }

    // Nothing before the first key frame can be decoded: neither what is decoded before it nor what is
    // shown before it (the leading pictures of an open group).
    std::size_t firstKey = 0;
    while (firstKey < n && !(packets[firstKey].key && !packets[firstKey].discard))
        ++firstKey;
    const bool anyKey = firstKey < n;
    if (!anyKey)
        firstKey = 0;
    std::vector<std::size_t> shown;
    shown.reserve(n);
    for (std::size_t i = firstKey; i < n; ++i) {
        if (!packets[i].discard && (!anyKey || pts[i] >= pts[firstKey]))
            shown.push_back(i);
    }
    std::stable_sort(shown.begin(), shown.end(), [&](std::size_t a, std::size_t b) { return pts[a] < pts[b]; });

    index.frameOf.assign(n, -1);
    index.pts.reserve(shown.size());
    index.packetOf.reserve(shown.size());
    index.keyOf.reserve(shown.size());
    int lastKey = 0;
    for (std::size_t r = 0; r < shown.size(); ++r) {
        const std::size_t p = shown[r];
        const int frame = static_cast<int>(r);
        if (packets[p].key)
            lastKey = frame;
        index.pts.push_back(pts[p]);
        index.packetOf.push_back(static_cast<int>(p));
        index.keyOf.push_back(lastKey);
        index.frameOf[p] = frame;
    }
    return index;
}

TStreamTiming JudgeTiming(const std::vector<std::int64_t>& pts, double tick, const std::vector<TRate>& announced)
{
    TStreamTiming timing;
    const std::size_t count = pts.size();
    if (count == 0 || !(tick > 0) || !std::isfinite(tick))
        return timing;
    std::vector<std::int64_t> gaps;
    gaps.reserve(count);
    for (std::size_t i = 1; i < count; ++i)
        gaps.push_back(pts[i] - pts[i - 1]);
    std::int64_t median = 0;
    if (!gaps.empty()) {
        std::vector<std::int64_t> sorted = gaps;
        const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
        std::nth_element(sorted.begin(), middle, sorted.end());
        median = *middle;
    }
    // Timestamp rounding moves a gap by a tick, or by half a percent of a frame; a gap of one or two ticks
    // has no room for rounding (a 1000 fps stream counted in milliseconds).
    const std::int64_t tolerance = median >= 3 ? std::max<std::int64_t>(1, median / 200) : 0;
    for (std::int64_t g : gaps) {
        if (g <= 0 || std::llabs(g - median) > tolerance) {
            timing.variable = true;
            break;
        }
    }
    if (timing.variable) {
        const double span = static_cast<double>(pts.back() - pts.front()) * tick;
        timing.frameDuration = span / static_cast<double>(count - 1);
    } else {
        for (const TRate& rate : announced) {
            if (rate.num <= 0 || rate.den <= 0)
                continue;
            const double d = static_cast<double>(rate.den) / rate.num;
            if (median == 0 || std::fabs(d - static_cast<double>(median) * tick) < 1.5 * tick) {
                timing.frameDuration = d;
                timing.framesPerSecond = static_cast<double>(rate.num) / rate.den;
                break;
            }
        }
        if (!(timing.frameDuration > 0) && median > 0)
            timing.frameDuration = static_cast<double>(median) * tick;
    }
    if (!(timing.frameDuration > 0) || !std::isfinite(timing.frameDuration))
        return timing;
    if (!(timing.framesPerSecond > 0))
        timing.framesPerSecond = 1.0 / timing.frameDuration;
    timing.duration = static_cast<double>(count) * timing.frameDuration;
    timing.times.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        timing.times[i] = static_cast<double>(pts[i] - pts[0]) * tick;
    timing.usable = std::isfinite(timing.framesPerSecond);
    return timing;
}

} // namespace kinoval::video
