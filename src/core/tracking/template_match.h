#pragma once
// TTemplateMatch: the second tracker, by the look of the object rather than by its colours.
//
// The template is the picture inside the outline the user drew, its three colour channels (the same
// pixels as the colour model of the mean shift, referred to the same point, their centroid). On a new
// frame every position within the search radius of the predicted one is scored by the normalised
// cross-correlation of the template with the picture under it, over the outline's pixels only, each
// channel taken from its own mean: 1 for the same pattern whatever the light's gain and offset, near 0
// for a pattern unrelated to it. A white ball and a white ruler share
// their colours, not their shapes, and a small grey object has no colour to follow: correlation tells
// them apart where a colour histogram cannot.
//
// The search runs coarse to fine: every position of a half- or quarter-size copy of the search window,
// then around the best few places at each finer size, so that the cost hardly grows with the radius. The
// peak's position is refined below the pixel by a parabola through its neighbours on each axis.
//
// The object turns and its shading changes along a run: matches that score well are averaged into the
// template, which stays half the original one so that it cannot wander off the object.
//
// Positions are frame pixels with fractions (pixel i at i), the object's reference point (the centroid).

#include "core/common/rgb_image.h"
#include "core/tracking/tracking_types.h"

#include <vector>

namespace kinoval::tracking {

struct TTemplateCandidate {
    TPointD position; // the reference point
    double score = -1; // correlation, -1 .. 1
};

class TTemplateMatch {
public:
    // From the outline on frame (normalised vertices); start receives the reference point. False when the
    // outline covers no pixel of the frame.
    bool SetModel(const TRgbImage& frame, int vertexCount, const TPointDDynArray& outline, TPointD& start);
    bool HasModel() const { return m_width > 0; }

    // The best places within radius pixels (on each axis) of predicted, best first, at most maxCandidates,
    // each a local peak of the correlation refined below the pixel. Positions where the template would leave
    // the frame are not searched. Empty when none is left.
    std::vector<TTemplateCandidate> Search(const TRgbImage& frame, TPointD predicted, int radius, int maxCandidates);

    // The correlation with the template's top-left corner on the frame pixel left, top (-1 when the template
    // leaves the frame).
    double ScoreAt(const TRgbImage& frame, int left, int top) const;

    // Averages the picture at position (sampled between pixels) into the template with the given weight.
    void Refresh(const TRgbImage& frame, TPointD position, double weight);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const TMatriceI& Mask() const { return m_mask; }
    // The reference point relative to the template's top-left pixel.
    TPointD Reference() const { return m_reference; }
    // The number of sizes searched (1 = full size only).
    int Levels() const { return static_cast<int>(m_levels.size()); }

    static constexpr int kPlanes = 3;

private:
    // One size of the template: each channel's values less their mean inside the mask (0 outside), their
    // norm, and the mask as runs of pixels per row (for the sums of the picture under it).
    struct TTap {
        int plane;
        int row;
        int col;
        float value;
    };
    struct TRun {
        int row;
        int from; // inclusive
        int to; // exclusive
    };
    struct TLevel {
        int width = 0;
        int height = 0;
        std::vector<float> values; // planes of width * height, each zero-mean inside the mask
        std::vector<std::uint8_t> mask;
        std::vector<TTap> taps; // the non-zero values
        std::vector<TRun> runs;
        double norm = 0; // sum of the squared values
        double count = 0; // pixels in the mask
    };
    // A picture of one size: its three channels one below the other, rows of stride floats, padded on the
    // right so that blocks of positions may read past the last one.
    struct TPicture {
        int width = 0;
        int height = 0; // of one channel
        int stride = 0;
        std::vector<float> pixels;
        const float* Row(int plane, int y) const
        {
            return &pixels[(static_cast<std::size_t>(plane) * height + y) * stride];
        }
        float At(int plane, int x, int y) const { return Row(plane, y)[x]; }
    };

    // One size of a search: the window's picture, its row sums, and the scores of the template's
    // positions in it, worked out once each (NaN until then).
    struct TWork {
        TPicture picture;
        std::vector<double> sum1;
        std::vector<double> sum2;
        int sumStride = 0;
        std::vector<std::size_t> tapOffsets;
        std::vector<float> scores;
        int mapWidth = 0;
        int mapHeight = 0;
    };

    void BuildLevels();
    static void Shrink(const TPicture& from, TPicture& to);
    // The correlation straight from its sums, for ScoreAt: a check on the faster ways below.
    static double Score(const TLevel& level, const TPicture& picture, int ox, int oy);
    static void Prepare(TWork& work, const TLevel& level);
    static double Normalise(const TLevel& level, const TWork& work, double numerator, int ox, int oy);
    // The score at a position of size k (-1 outside the window), worked out on first use.
    double Cached(int k, int ox, int oy);
    // Every score of size k at once.
    void ScoreMap(int k);
    void Climb(int k, int& ox, int& oy);

    int m_width = 0;
    int m_height = 0;
    TMatriceI m_mask;
    TPointD m_reference;
    std::vector<float> m_original; // the channels under the outline on its frame, plane after plane
    std::vector<float> m_average; // the running average of good matches
    std::vector<TLevel> m_levels; // full size first

    std::vector<TWork> m_work; // full size first
};

} // namespace kinoval::tracking
