#pragma once
// The models laid over a measured curve: the base class TMdl.
//
// A model is a function of the abscissa of a graph (time, or whatever is plotted in X) with a handful of
// world parameters. It lives in two spaces at once. In world units it is fitted to the curve's points,
// written as an equation with its parameter values and judged by its statistics. In pixels of the graph's
// drawing area it is drawn and deformed with the mouse: each model keeps up to five pixel parameters
// (the height of a line at the left edge, a slope in pixels per pixel, an amplitude in pixels, ...) in
// which the mouse arithmetic is simple and bounded by fixed limits.
//
// The two sets are kept in step lazily. A fit, a new parameter value, a new area or a new world window
// recompute the pixel parameters from the world ones; a mouse edit changes only the pixel parameters and
// raises the changed flag, and the world parameters and statistics are recomputed from the pixel ones
// before anything reads them. Every change calls the change callback (the model element on the graph,
// which refreshes the modeller panel).
//
// Mouse positions are those of the graph widget; the model turns them into area pixels with X measured
// from the left edge and Y upwards from the bottom edge. Nothing is converted while the window is
// degenerate (a range below 1e-100 or above 1e100, an empty area): the model then keeps its world
// parameters and refuses edits.

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kinoval::modelling {

// A point of the drawn model, in pixels of the graph widget.
struct TModelPoint {
    int x = 0;
    int y = 0;
};
using TModelPolyline = std::vector<TModelPoint>;

// A point in area pixels, Y upwards from the bottom edge.
struct TAreaPoint {
    double x = 0;
    double y = 0;
};

// How fast a handle follows the mouse: Ctrl and Alt slow the movement down.
enum class TEditSpeed { Normal, Ctrl, Alt };

// Distance within which a press grabs a handle or the curve, in pixels.
inline constexpr double kHitDistance = 5;
// Room for the drawn points of one model.
inline constexpr std::size_t kMaxDrawnPoints = 65536;

class TMdl {
public:
    using TChangeCallback = std::function<void()>;

    explicit TMdl(int worldCount);
    virtual ~TMdl();
    TMdl(const TMdl&) = delete;
    TMdl& operator=(const TMdl&) = delete;

    // Geometry of the graph: drawing area in widget pixels and world window.
    void SetArea(int left, int top, int width, int height);
    void SetWindow(double xmin, double xmax, double ymin, double ymax);

    // Fits the model to the points (the shorter array sets the count). Returns 0 when fitted; any other
    // code leaves the parameters as they were (fewer than 2 points, all abscissae equal, singular system).
    int Fit(const std::vector<double>& abscissae, const std::vector<double>& ordinates);

    // The parameters the user sees, in the model's order.
    virtual int ParameterCount() const = 0;
    // How many values a fit takes from the data (a held offset included, since it is computed from the
    // ordinates): a series with fewer distinct abscissae cannot determine them.
    virtual int FittedParameterCount() const { return ParameterCount(); }
    double Parameter(int index);
    // Stores the value when it differs from the current one, then refreshes pixels, statistics and texts.
    void SetParameter(int index, double value);
    // All world parameters, including any that the user does not see (held offset, damping of the
    // linearly damped sinus).
    const std::vector<double>& WorldParameters();

    // The model's value at abscissa t in world units.
    double Value(double t);

    // Equation and parameter lines; statistics lines. A statistic that could not be computed (no point,
    // ordinates all zero, an arithmetic fault) reads -1 through its accessor and "#Nombre!" in the lines.
    std::vector<std::string> Texts(const std::string& ordinateName, const std::string& abscissaName);
    std::vector<std::string> Statistics();
    double Correlation();
    double RmsDeviation();
    double RelativePrecision();

    // Mouse editing, in widget pixels.
    virtual int HitTest(int x, int y);
    void BeginEdit(int x, int y);
    bool Drag(int x, int y);
    bool Translate(double dx, double dy);
    // Moves a handle of the sinusoidal models by a mouse movement; false when refused or not a handle.
    virtual bool MoveHandle(int handle, double dx, double dy, TEditSpeed speed);
    void EndEdit();

    // The drawn model: every pixel column of the area, split where the curve leaves the area.
    std::vector<TModelPolyline> Polylines();

    void SetChangeCallback(TChangeCallback callback) { m_onChange = std::move(callback); }
    void SetTextsWanted(bool wanted) { m_textsWanted = wanted; }
    bool Changed() const { return m_changed; }
    bool ParametersChanged() const { return m_parametersChanged; }
    void ClearParametersChanged() { m_parametersChanged = false; }
    // The pixel parameters; meaningful while the window is usable.
    const std::array<double, 5>& PixelParameters() const { return m_p; }
    bool WindowUsable() const;

    // The two conversions, exposed for the model element and for checks.
    void WorldToPixel();
    void PixelToWorld();

    // Area pixel <-> widget pixel, and world <-> area pixel.
    TAreaPoint ToArea(int x, int y) const;
    // While the window is degenerate the scales read 0 and WorldX gives the window's left abscissa.
    double AreaX(double t) const { return (t - m_xmin) * ScaleX(); }
    double AreaY(double v) const { return (v - m_ymin) * ScaleY(); }
    double WorldX(double areaX) const { return ScaleX() == 0 ? m_xmin : m_xmin + areaX / ScaleX(); }

protected:
    // Fits the world parameters; 0 on success, anything else keeps them.
    virtual int DoFit() = 0;
    virtual double Evaluate(double t) const = 0;
    // Pixel parameters from world ones (with any clamping written back) and the reverse.
    virtual void DoWorldToPixel() = 0;
    virtual void DoPixelToWorld() = 0;
    virtual double PublicParameter(int index) const = 0;
    virtual void SetPublicParameter(int index, double value) = 0;
    virtual std::vector<std::string> EquationLines(const std::string& ordinate, const std::string& abscissa) const;
    virtual std::string EquationTemplate() const { return {}; }
    // Letter index of public parameter i (the proportional model names its only parameter b).
    virtual int LetterIndex(int index) const { return index; }
    virtual bool ShowsCorrelation() const { return false; }
    // Mouse arithmetic in area pixels.
    virtual void OnBeginEdit() { }
    virtual bool DoDrag(TAreaPoint) { return false; }
    virtual bool DoTranslate(double, double) { return false; }

    double ScaleX() const { return m_xmax == m_xmin ? 0 : m_width / (m_xmax - m_xmin); }
    double ScaleY() const { return m_ymax == m_ymin ? 0 : m_height / (m_ymax - m_ymin); }
    // Marks an edit of the pixel parameters and tells the listener.
    void PixelsEdited();
    // Brings world parameters, statistics and texts up to date after edits.
    void Sync();
    void ComputeStatistics();
    void RebuildTexts();
    void Notify();

    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    double m_xmin = 0, m_xmax = 1, m_ymin = 0, m_ymax = 1;
    bool m_changed = false;
    bool m_parametersChanged = false;
    bool m_textsWanted = false;
    bool m_editing = false;
    std::array<double, 5> m_p {};
    std::array<double, 5> m_saved {};
    TAreaPoint m_grab;
    int m_grabHandle = -1;
    double m_correlation = -1, m_rms = -1, m_precision = -1;
    bool m_correlationKnown = false, m_rmsKnown = false, m_precisionKnown = false;
    std::vector<double> m_t, m_y;
    std::vector<double> m_world;
    std::vector<std::string> m_texts, m_statistics;
    std::string m_ordinateName = "y", m_abscissaName = "t";
    TChangeCallback m_onChange;
};

// The number of different abscissae of a series (exactly equal values count once).
int DistinctAbscissae(const std::vector<double>& abscissae);

// Pixel limits shared by the models.
inline constexpr double kLimitHeight = 1e4; // heights and centre lines
inline constexpr double kLimitSlope = 1e10; // slopes of straight lines
inline constexpr double kLimitExpFactor = 1e100;
inline constexpr double kLimitParabolaC = 1e5;

inline bool Within(double v, double limit)
{
    return v >= -limit && v <= limit;
}

} // namespace kinoval::modelling
