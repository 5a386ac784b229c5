#include "core/graph/axe.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

constexpr double kTick = 4;
constexpr double kSubTick = 3;
constexpr double kLabelGap = 6;

// Strokes land on whole pixels, as the rounded positions of the points do.
double Snap(double v)
{
    return std::round(v);
}

} // namespace

std::string TTitleLine::Text() const
{
    std::string text;
    for (const TTextRun& run : runs)
        text += run.text;
    return text;
}

void TAxe::Draw(TDrawList& list, const TMapping& mapping, const TTextMeasure& measure, char separator) const
{
    if (!visible || std::fabs(max - min) < kTiny || !mapping.Usable())
        return;
    const TGraduation g = ComputeGraduation(min, max);
    if (g.count == 0 || subdivisions == 0 || !(g.step > 0))
        return;
    list.Add(TFillRect { band, background });

    const TRectF plot = mapping.plot.Rect();
    const TLabelFormat format = LabelFormatOf(min, max);
    // The pixel position of a value along the axis.
    const auto at = [&](double v) {
        return m_vertical ? mapping.ToScreen(mapping.world.xmin, v).y : mapping.ToScreen(v, mapping.world.ymin).x;
    };
    const auto inside = [&](double p) {
        return m_vertical ? p >= plot.top - 0.5 && p <= plot.Bottom() + 0.5
                          : p >= plot.left - 0.5 && p <= plot.Right() + 0.5;
    };
    const auto strictlyInside
        = [&](double p) { return m_vertical ? p > plot.top && p < plot.Bottom() : p > plot.left && p < plot.Right(); };

    std::vector<TPointF> grid, ticks, subTicks;
    for (int i = 0; i < g.count; ++i) {
        const double value = g.first + i * g.step;
        const double p = at(value);
        if (!inside(p))
            continue;
        const std::string text = FormatGraduation(value, i, g.step, format, separator);
        const TTextSize size = measure.Measure(text, kLabelPointSize, false);
        TText label;
        label.runs = { { text, kLabelColour } };
        label.pointSize = kLabelPointSize;
        if (m_vertical) {
            // Right-aligned beside the plot, centred on its graduation; never cut by the control's top.
            if (p - size.height / 2 < band.top)
                continue;
            label.at = { band.Right() - kLabelGap, p };
            label.hAlign = THAlign::Right;
            label.vAlign = TVAlign::Centre;
        } else {
            if (p + size.width / 2 > band.Right())
                continue;
            label.at = { p, band.top + kLabelGap };
            label.hAlign = THAlign::Centre;
            label.vAlign = TVAlign::Top;
        }
        list.Add(std::move(label));
        const double s = Snap(p);
        if (m_vertical) {
            grid.insert(grid.end(), { { plot.left, s }, { plot.Right(), s } });
            ticks.insert(ticks.end(), { { plot.left - kTick, s }, { plot.left, s } });
        } else {
            grid.insert(grid.end(), { { s, plot.top }, { s, plot.Bottom() } });
            ticks.insert(ticks.end(), { { s, plot.Bottom() }, { s, plot.Bottom() + kTick } });
        }
    }
    // Subdivisions from the one below the first graduation, so the start of the axis has them too.
    for (int i = -1; i < g.count; ++i) {
        for (int j = 1; j < subdivisions; ++j) {
            const double value = g.first + (i + double(j) / subdivisions) * g.step;
            if (value < std::min(min, max) || value > std::max(min, max))
                continue;
            const double s = Snap(at(value));
            if (!inside(s))
                continue;
            if (m_vertical)
                subTicks.insert(subTicks.end(), { { plot.left - kSubTick, s }, { plot.left, s } });
            else
                subTicks.insert(subTicks.end(), { { s, plot.Bottom() }, { s, plot.Bottom() + kSubTick } });
        }
    }
    list.Strokes(std::move(grid), { kGridColour, 1, TLineStyle::Dotted });
    if (max > 0 && min < 0) {
        const double zero = Snap(at(0));
        if (strictlyInside(zero)) {
            if (m_vertical)
                list.Strokes({ { plot.left, zero }, { plot.Right(), zero } }, { kGridColour, 3 });
            else
                list.Strokes({ { zero, plot.top }, { zero, plot.Bottom() } }, { kGridColour, 3 });
        }
    }
    list.Strokes(std::move(ticks), { clBlack, 1 });
    list.Strokes(std::move(subTicks), { kGridColour, 1 });
    DrawTitle(list, mapping, measure);
}

void TAxe::DrawTitle(TDrawList& list, const TMapping& mapping, const TTextMeasure& measure) const
{
    const TRectF plot = mapping.plot.Rect();
    const std::size_t lines = std::min(title.size(), kTitleCapacity);
    if (m_vertical) {
        // Columns from the left edge, each reading upwards and centred along the plot's height.
        double x = band.left + titleOffset;
        for (std::size_t i = 0; i < lines; ++i) {
            TText text;
            text.runs = title[i].runs;
            text.pointSize = i == 0 ? kTitlePointSize : kTitleOtherPointSize;
            text.bold = i == 0;
            text.vertical = true;
            text.at = { x, plot.top + plot.height / 2 };
            text.hAlign = THAlign::Centre;
            text.vAlign = TVAlign::Top;
            text.maxLength = plot.height;
            x += measure.Measure(title[i].Text(), text.pointSize, text.bold).height + 2;
            list.Add(std::move(text));
        }
        return;
    }
    // Lines from the last upwards, from the bottom edge, centred under the plot.
    double bottom = band.Bottom() - titleOffset;
    for (std::size_t k = lines; k-- > 0;) {
        TText text;
        text.runs = title[k].runs;
        text.pointSize = k == 0 ? kTitlePointSize : kTitleOtherPointSize;
        text.bold = k == 0;
        text.at = { plot.left + plot.width / 2, bottom };
        text.hAlign = THAlign::Centre;
        text.vAlign = TVAlign::Bottom;
        text.maxLength = plot.width;
        bottom -= measure.Measure(title[k].Text(), text.pointSize, text.bold).height + 2;
        list.Add(std::move(text));
    }
}

} // namespace kinoval::graph
