#include "core/montage/record_plan.h"

#include "core/montage/montage.h"

#include <algorithm>
#include <cctype>

namespace kinoval::montage {

namespace {

int ShiftOf(const std::vector<int>& shifts, std::size_t raw)
{
    return raw < shifts.size() ? shifts[raw] : 0;
}

void MontageArrays(const TMontage& montage, std::vector<bool>& visible, std::vector<int>& shifts)
{
    const int n = montage.FrameCount();
    visible.resize(static_cast<std::size_t>(n));
    shifts.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        visible[static_cast<std::size_t>(i)] = montage.IsVisible(i);
        shifts[static_cast<std::size_t>(i)] = montage.TimeShift(i);
    }
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::vector<int> RecordSteps(const std::vector<bool>& visible, const std::vector<int>& shifts, bool blankFrames)
{
    std::vector<int> steps;
    int previous = -1; // the corrected number of the previous written frame
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (!visible[i])
            continue;
        const int e = static_cast<int>(i) + ShiftOf(shifts, i);
        if (blankFrames) {
            for (int k = previous + 1; k < e; ++k)
                steps.push_back(kBlankStep);
            previous = e;
        }
        steps.push_back(static_cast<int>(i));
    }
    return steps;
}

std::vector<int> RecordSteps(const TMontage& montage, bool blankFrames)
{
    std::vector<bool> visible;
    std::vector<int> shifts;
    MontageArrays(montage, visible, shifts);
    return RecordSteps(visible, shifts, blankFrames);
}

std::string PaddedNumber(int index, int count)
{
    const std::size_t digits = std::to_string(std::max(count, 1)).size();
    std::string number = std::to_string(index);
    if (number.size() < digits)
        number.insert(0, digits - number.size(), '0');
    return number;
}

const char* PictureExtension(TPictureFormat format)
{
    return format == TPictureFormat::Bmp ? "bmp" : "png";
}

std::string PictureFileName(const std::string& base, int index, int count, TPictureFormat format)
{
    return base + "_" + PaddedNumber(index, count) + "." + PictureExtension(format);
}

TPictureFormat PictureFormatOf(const std::string& fileName)
{
    return EndsWith(Lower(fileName), ".bmp") ? TPictureFormat::Bmp : TPictureFormat::Png;
}

std::string PictureBaseName(const std::string& fileName)
{
    const std::string lower = Lower(fileName);
    if (EndsWith(lower, ".bmp") || EndsWith(lower, ".png"))
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

namespace {

// Negative when a comes first; runs of digits compare by value, then by length (leading zeros).
int CompareNatural(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj ? -1 : 1;
            if (const int c = a.compare(si, ei - si, b, sj, ej - sj); c != 0)
                return c;
            if (ei - i != ej - j)
                return ei - i < ej - j ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    return (a.size() - i) == (b.size() - j) ? 0 : (a.size() - i < b.size() - j ? -1 : 1);
}

} // namespace

void SortPictureNames(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(),
        [](const std::string& a, const std::string& b) { return CompareNatural(a, b) < 0; });
}

std::vector<TBlocSource> MontageBlocks(const std::vector<bool>& visible, const std::vector<int>& shifts)
{
    std::vector<TBlocSource> blocks;
    const int n = static_cast<int>(visible.size());
    for (int i = 0; i < n;) {
        if (!visible[static_cast<std::size_t>(i)]) {
            ++i;
            continue;
        }
        int stop = i;
        while (stop < n && visible[static_cast<std::size_t>(stop)])
            ++stop;
        blocks.push_back({ i, stop, 0 });
        i = stop;
    }
    // Frames declared missing before a frame inside a block leave a gap there: the block is split so
    // that its second part can be placed later on the timeline.
    std::vector<TBlocSource> split;
    for (const TBlocSource& block : blocks) {
        int start = block.start;
        for (int i = block.start + 1; i < block.stop; ++i) {
            const int e = i + ShiftOf(shifts, static_cast<std::size_t>(i));
            const int previous = i - 1 + ShiftOf(shifts, static_cast<std::size_t>(i - 1));
            if (e - previous >= 2) {
                split.push_back({ start, i, 0 });
                start = i;
            }
        }
        split.push_back({ start, block.stop, 0 });
    }
    for (TBlocSource& block : split)
        block.offset = ShiftOf(shifts, static_cast<std::size_t>(block.start));
    return split;
}

std::vector<TBlocSource> MontageBlocks(const TMontage& montage)
{
    std::vector<bool> visible;
    std::vector<int> shifts;
    MontageArrays(montage, visible, shifts);
    return MontageBlocks(visible, shifts);
}

} // namespace kinoval::montage
