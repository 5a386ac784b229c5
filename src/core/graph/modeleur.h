#pragma once
// TModeleur: the small floating panel that shows a model being adjusted on a graph, said without a screen.
//
// From top to bottom it holds a grip by which it is dragged, the equation line, one row per parameter
// (four repeat step buttons and the parameter's line) and the statistics lines. The panel keeps what it
// shows (texts, values, which parts show) and works out where each part goes and how large the panel is;
// the gui makes the widget, its buttons and its painting from that layout. A step button changes its
// parameter by a factor chosen by the sign of the value, so that an increase button always increases it;
// the new value goes to the owner (the model element), which sets it on its model.
//
// The panel lies inside its parent, the graph's control: it is kept 1 pixel inside every edge.

#include "core/common/signal.h"
#include "core/graph/mapping.h"

#include <functional>
#include <string>
#include <vector>

namespace kinoval::graph {

class TTextMeasure;

// The four step buttons of a row, left to right.
enum class TStepButton : int { DecreaseFast = 0, Decrease = 1, Increase = 2, IncreaseFast = 3 };

// The factor one repeat of a button multiplies the value by (Ctrl slows the two middle buttons down).
double StepFactor(TStepButton button, double value, bool ctrl);
// The value after one repeat: 0 stays 0.
double StepValue(TStepButton button, double value, bool ctrl);
// The hint of each button.
const char* StepButtonHint(TStepButton button);

// Where a part of the panel goes, in pixels from the panel's top-left corner.
struct TModeleurLine {
    TPointF at; // top-left corner of the text
    std::string text;
};
struct TModeleurButton {
    TRectF rect;
    int parameter = 0;
    TStepButton kind = TStepButton::Decrease;
};
struct TModeleurLayout {
    TRectF grip;
    std::vector<TModeleurLine> lines; // the equation, the parameter lines and the statistics, in order
    std::vector<TModeleurButton> buttons; // only those that show
    double width = 0;
    double height = 0;
};

class TModeleur {
public:
    static constexpr int kMaxParameters = 5;
    static constexpr int kButtonSize = 16;
    static constexpr double kPointSize = 8;
    static constexpr double kGripWidth = 24;
    static constexpr double kGripHeight = 8;
    static constexpr double kGripTop = 14;

    // What it shows: the equation line then the parameter lines, the statistics lines, the parameter values.
    void SetTexts(const std::vector<std::string>& equationAndParameters, const std::vector<std::string>& statistics);
    void SetValues(const std::vector<double>& values);
    void SetShowEquation(bool show);
    void SetShowStatistics(bool show);
    void SetShowButtons(bool show);
    bool ShowEquation() const { return m_showEquation; }
    bool ShowStatistics() const { return m_showStatistics; }
    bool ShowButtons() const { return m_showButtons; }
    const std::vector<double>& Values() const { return m_values; }
    const std::vector<std::string>& EquationLines() const { return m_equation; }
    const std::vector<std::string>& StatisticsLines() const { return m_statistics; }

    // Whether the panel shows; the model element decides (see TGModele).
    void SetVisible(bool visible);
    bool Visible() const { return m_visible; }

    // Lays the parts out with the panel's font and sizes the panel; on its first size the panel goes
    // against the right edge of its parent, at the top. The parent is the graph's control.
    void LayOut(const TTextMeasure& measure, int parentWidth, int parentHeight);
    const TModeleurLayout& Layout() const { return m_layout; }
    // The panel's place in its parent, kept 1 pixel inside every edge.
    TRectF Rect() const { return { m_left, m_top, m_layout.width, m_layout.height }; }
    bool Sized() const { return m_sized; }
    // The panel dragged by its grip: moved by the mouse's movement, then kept inside.
    void BeginDrag();
    void MoveBy(double dx, double dy);
    void EndDrag();
    void MoveTo(double left, double top);

    // One repeat of a step button: the new value goes to the owner. False when nothing changed (no such
    // parameter, a value of 0).
    bool Step(int parameter, TStepButton button, bool ctrl);

    // The owner's callbacks.
    std::function<void()> onDragStart;
    std::function<void(int, double)> onParameterChanged;
    std::function<void()> onDragEnd;
    // Anything that shows changed: texts, values, visibility, size or place.
    TSignal<> Changed;

private:
    void Clamp();

    std::vector<std::string> m_equation, m_statistics;
    std::vector<double> m_values;
    bool m_showEquation = true;
    bool m_showStatistics = false;
    bool m_showButtons = false;
    bool m_visible = false;
    bool m_sized = false;
    double m_left = 0, m_top = 0;
    int m_parentWidth = 0, m_parentHeight = 0;
    TModeleurLayout m_layout;
};

} // namespace kinoval::graph
