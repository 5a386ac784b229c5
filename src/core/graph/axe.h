#pragma once
// An axis of a graph (TAxe): the band of the control that holds its labels, its graduation and its title.
//
// The X axis has the band under the plot, the Y axis the band on its left. Drawing fills the band, writes
// the labels of the graduations, draws the dotted grid across the plot, a thick zero line when 0 lies
// inside the range, the ticks and subdivision ticks on the plot's edge, and the title: the Y title turned
// to read upwards in columns from the left edge, the X title in lines upwards from the bottom edge. The
// first line of a title is large and bold; the others (the legend) are smaller, and each run of a line
// may have its own colour.

#include "core/common/colour.h"
#include "core/graph/draw_list.h"
#include "core/graph/graduation.h"

#include <string>
#include <vector>

namespace kinoval::graph {

inline constexpr TColor kLabelColour = MakeColor(20, 20, 100);
inline constexpr TColor kTitleColour = clBlue;
inline constexpr TColor kGridColour = MakeColor(128, 128, 128);
inline constexpr TColor kButtonFace = MakeColor(240, 240, 240);
inline constexpr double kLabelPointSize = 10;
inline constexpr double kTitlePointSize = 14;
inline constexpr double kTitleOtherPointSize = 12;
inline constexpr std::size_t kTitleCapacity = 8;

struct TTitleLine {
    std::vector<TTextRun> runs;
    static TTitleLine Of(std::string text, TColor colour = kTitleColour) { return { { { std::move(text), colour } } }; }
    std::string Text() const;
};

class TAxe {
public:
    explicit TAxe(bool vertical)
        : m_vertical(vertical)
    {
    }

    bool Vertical() const { return m_vertical; }

    TRectF band;
    int graduations = 5; // the count of the graduation of the current range
    int subdivisions = 5;
    double min = 0;
    double max = 100;
    bool visible = true;
    TColor background = kButtonFace;
    double titleOffset = 14; // from the control's edge
    std::vector<TTitleLine> title; // at most kTitleCapacity lines are drawn

    // Draws the axis in the graph's mapping (which places the graduations on the plot). Nothing is drawn
    // for a hidden axis, no graduations or subdivisions, or a range below 1e-100.
    void Draw(TDrawList& list, const TMapping& mapping, const TTextMeasure& measure, char separator) const;

private:
    void DrawTitle(TDrawList& list, const TMapping& mapping, const TTextMeasure& measure) const;

    bool m_vertical;
};

} // namespace kinoval::graph
