#include "core/graph/draw_list.h"

#include <cstddef>

namespace kinoval::graph {

TTextSize TEstimatedTextMeasure::Measure(std::string_view text, double pointSize, bool bold) const
{
    std::size_t characters = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    }
    const double pixels = pointSize * 96.0 / 72.0;
    return { double(characters) * pixels * (bold ? 0.6 : 0.55), pixels * 1.3 };
}

void TDrawList::Line(TPointF a, TPointF b, const TPen& pen)
{
    if (!commands.empty()) {
        if (auto* last = std::get_if<TPolyline>(&commands.back());
            last != nullptr && last->pen == pen && !last->points.empty() && last->points.back() == a) {
            last->points.push_back(b);
            return;
        }
    }
    commands.push_back(TPolyline { { a, b }, pen });
}

void TDrawList::Glyph(TPointF at, TColor colour, int size, int kind)
{
    if (!commands.empty()) {
        if (auto* last = std::get_if<TGlyphs>(&commands.back());
            last != nullptr && last->colour == colour && last->size == size && last->kind == kind) {
            last->at.push_back(at);
            return;
        }
    }
    commands.push_back(TGlyphs { { at }, colour, size, kind });
}

void TDrawList::Label(TPointF topLeft, std::string text, TColor colour, double pointSize)
{
    if (!commands.empty()) {
        if (auto* last = std::get_if<TLabels>(&commands.back());
            last != nullptr && last->colour == colour && last->pointSize == pointSize) {
            last->at.push_back(topLeft);
            last->texts.push_back(std::move(text));
            return;
        }
    }
    TLabels labels;
    labels.at.push_back(topLeft);
    labels.texts.push_back(std::move(text));
    labels.colour = colour;
    labels.pointSize = pointSize;
    commands.push_back(std::move(labels));
}

void TDrawList::Strokes(std::vector<TPointF> ends, const TPen& pen)
{
    if (ends.size() >= 2)
        commands.push_back(TStrokes { std::move(ends), pen });
}

} // namespace kinoval::graph
