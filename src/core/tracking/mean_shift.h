#pragma once
// TMeanShift: the colour-histogram tracker.
//
// The model is the colour histogram (L*u*v* cells, no kernel) of the pixels inside the outline the user
// drew on the first frame. On every later frame Track moves a square search window from the previous
// position towards the place whose colours best match the model: each iteration weighs the window's
// pixels by sqrt(b q / p) (q the model, p the window's histogram under an Epanechnikov kernel, b the
// background weights of the window's four corners, taken on the first iteration) and shifts the position
// by the weighted mean offset. A window much larger than the object shrinks at each iteration instead of
// testing convergence. What must not count (outside the frame, the zones to ignore) is painted with the
// absent colour, a colour of a cell the model does not hold.
//
// Ownership: the tracking driver owns the one tracker and is its only caller. The tracker owns its model
// and working arrays, and borrows the frame it is given, on which it paints the zones to ignore.
//
// Order of calls for a run: SetIgnoreZones, SetModel (first frame), SetBinCount, BuildModel, then Track
// once per later frame.

#include "core/common/colour.h"
#include "core/common/rgb_image.h"
#include "core/tracking/colour_space.h"
#include "core/tracking/tracking_types.h"

#include <cstdint>
#include <vector>

namespace kinoval::tracking {

using TLuvImage = TMatrix2<TLuv>;

class TMeanShift {
public:
    // Zones in normalised coordinates; the first count of them are used.
    void SetIgnoreZones(const TMatricePointD& zones, int count, int frameHeight, int frameWidth);
    // Builds the pixel outline, the model mask and the model bitmap from frame; start receives the
    // centroid of the inside pixels. False when the outline gives no polygon.
    bool SetModel(const TRgbImage& frame, int vertexCount, const TPointDDynArray& outline, TPoint& start);
    void SetBinCount(int n);
    void BuildModel();
    // Mean shift on one frame from start; the result is left in position (start itself when there is no
    // model or no picture). How well it matches is asked of Similarity afterwards.
    void Track(TPoint& position, TRgbImage& frame, int maxIterations, TPoint start);

    // The exact centroid of the outline's inside pixels, the start point before its rounding.
    TPointD ModelCentroid() const { return m_centroid; }
    // Where the last Track put the object before rounding to whole pixels: the window's weighted mean on its
    // last iteration. The start point when nothing weighed.
    TPointD LastCentre() const { return m_lastCentre; }

    // How much the place whose centroid is at centre (frame pixels) looks like the model: the Bhattacharyya
    // coefficient of the two colour histograms over the outline's pixels, weighed by an Epanechnikov
    // kernel so that the object's middle counts more than its edge, each spread over the neighbouring
    // cells so that a change of light does not throw a colour out of its cell; 1 for the same colours, 0
    // for none in common. Once MarkObjectCells has run, the sum goes over the object's cells only and is
    // divided by the model's share of them (what the background in the outline holds says nothing of the
    // object). Pixels outside the frame count as the absent colour.
    double Similarity(const TRgbImage& frame, TPointD centre);
    // Which cells are the object's: those the outline holds more of than the outline's surroundings on
    // frame (the model's frame) do. Called after BuildModel.
    void MarkObjectCells(const TRgbImage& frame);
    // The object's place near from, below the pixel: the centroid of the pixels of the object's cells
    // under the outline placed there, taken again until it settles, and referred to the outline's own
    // centroid as on the model's frame. The mean shift's window weighs an object's colours unevenly (a
    // dark spoke on a turning wheel pulls it about); counting every pixel of the object once does not.
    // from itself when the outline holds too few of the object's pixels there.
    TPointD ObjectCentre(const TRgbImage& frame, TPointD from);
    // Moves the model towards the colours of the place at centre by the given part (0 .. 1): light and
    // shading change along a run. The absent colour is chosen again.
    void RenewModel(const TRgbImage& frame, TPointD centre, double part);

    int SearchRadius() const { return m_searchRadius; }
    void SetSearchRadius(int radius) { m_searchRadius = radius; }

    // The side of the search window for the current model and radius (odd).
    int WindowSide() const;

    TColor AbsentColor() const { return m_absentColor; }
    const TRgbImage& ModelBitmap() const { return m_modelBitmap; }
    const TMatriceI& ModelMask() const { return m_modelMask; }
    const TPixelRect& ModelRect() const { return m_modelRect; }
    const TMatricePoint& IgnorePolygons() const { return m_ignorePolygons; }
    const TMatrice3D& ModelHistogram() const { return m_q; }
    // The candidate histogram of the last iteration, on the model's cells (no other cell can weigh).
    const TMatrice3D& CandidateHistogram() const { return m_p; }
    const TMatrice3D& BackgroundWeights() const { return m_b; }
    // The window side of each iteration of the last Track (what the shrinking mode did).
    const std::vector<int>& LastSides() const { return m_lastSides; }

    // The histogram of an image's cells (one flat cell index per pixel) under a mask, with or without the
    // Epanechnikov kernel, normalised to a sum of 1 (left empty when nothing counted).
    static void Histogram(const TMatriceI& bins, const TMatriceI& mask, bool kernel, TMatrice3D& histogram);

private:
    void ComputeBackground(const TMatriceI& bins);
    void ChooseAbsentColour();
    void UpdateObjectCells();
    // The cells' histogram of the pixels around the outline placed with its top-left pixel at left, top.
    void Surroundings(const TRgbImage& frame, int left, int top, std::vector<double>& histogram);
    // The cells of the outline's pixels placed with their centroid at centre; -1 outside the mask.
    void PlaceCells(const TRgbImage& frame, TPointD centre, std::vector<int>& cells);
    void PrepareWindow(const TRgbImage& frame, int x, int side);

    TColor m_absentColor = clWhite;
    int m_absentBin = 0;
    TMatricePoint m_ignorePolygons;
    TLuvImage m_modelImage;
    TMatriceI m_modelBins;
    TMatriceI m_candidateBins;
    TMatriceI m_candidateMask;
    TMatriceI m_modelMask;
    TPixelRect m_modelRect;
    TMatrice3D m_q, m_p, m_b;
    TPointD m_centroid;
    TPointD m_lastCentre;
    // The model's histogram under the kernel (for Similarity), the kernel's weight per model pixel, and
    // working cells of Similarity.
    std::vector<double> m_qKernel;
    std::vector<double> m_kernel;
    std::vector<int> m_placed;
    std::vector<double> m_placedHistogram;
    std::vector<double> m_placedSpread;
    std::vector<double> m_qSpread; // m_qKernel spread over the neighbouring cells
    std::vector<double> m_surroundings; // the cells' histogram around the outline on the model's frame
    std::vector<char> m_objectCell;
    std::vector<int> m_objectCells; // the same as a list
    TPointD m_objectOffset; // the outline's centroid less the object pixels' centroid, on the model's frame
    long long m_objectPixels = 0; // object pixels under the outline on the model's frame
    double m_objectMass = 0; // the model's spread kernel histogram over the object's cells
    TRgbImage m_modelBitmap;
    int m_searchRadius = 30;
    std::vector<int> m_lastSides;
    std::vector<double> m_weightOfBin;

    // Cells of the frame's pixels, worked out once per Track: the window moves by a few pixels between
    // iterations, so most pixels would otherwise be converted again and again. A pixel's cell is valid
    // when its stamp equals the stamp of the current Track.
    std::vector<std::int32_t> m_frameBins;
    std::vector<std::uint32_t> m_frameStamps;
    std::uint32_t m_stamp = 0;

    // Cells of colours met before, on any frame: a direct-mapped table keyed by the colour (valid entries
    // carry the top byte), emptied when the cell count changes. Neighbouring frames of a video share most
    // of their colours, and the cube root in the conversion is the dearest step of an iteration.
    struct TColourCell {
        std::uint32_t key = 0;
        std::int32_t bin = 0;
    };
    std::vector<TColourCell> m_colourCells;
    int m_colourCellsCount = 0;
    int ColourCell(const std::uint8_t* rgb);
    int NewColourCell(std::uint32_t colour);

    // Per window index, the frame offset from the position it shows (the window of an even side is a
    // stretched copy of the odd rectangle around the position).
    std::vector<int> m_offsets;
    int m_colFrom = 0; // the window columns [m_colFrom, m_colTo) show frame columns
    int m_colTo = 0;
    // Working arrays of one Track: the model's cells, each cell's place among them (-1 for the others),
    // and per model cell the window's kernel weights, pixel count and sums of the pixels' offsets.
    std::vector<int> m_modelCells;
    std::vector<int> m_modelIndex;
    struct TCellSums {
        std::int32_t count = 0;
        std::int32_t sumX = 0;
        std::int32_t sumY = 0;
        std::int64_t squares = 0; // sum of the doubled distances squared, a^2 + b^2
    };
    static constexpr std::size_t kBanks = 4;
    std::vector<std::int64_t> m_squares;
    std::vector<std::int32_t> m_backgroundCounts;
    std::vector<TCellSums> m_cells;
};

} // namespace kinoval::tracking
