#include "core/graph/modeleur.h"

#include "core/common/texts.h"
#include "core/graph/draw_list.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

constexpr double kFast = 1.1;
constexpr double kSlow = 1.02;
constexpr double kSlower = 1.002;
// The panel's first width, before it knows its texts.
constexpr double kFirstWidth = 100;
// Room around the content: left margin of the texts, the rows' spacing, the right and bottom margins.
constexpr double kTextLeft = 12;
constexpr double kGap = 14;
constexpr double kRowPitch = 18;
constexpr double kButtonPitch = 18;
constexpr double kStatisticsGap = 30;
constexpr double kExtraWidth = 44;
constexpr double kExtraHeight = 28;

} // namespace

double StepFactor(TStepButton button, double value, bool ctrl)
{
    const bool positive = value > 0;
    const double slow = ctrl ? kSlower : kSlow;
    switch (button) {
    case TStepButton::DecreaseFast:
        return positive ? 1 / kFast : kFast;
    case TStepButton::Decrease:
        return positive ? 1 / slow : slow;
    case TStepButton::Increase:
        return positive ? slow : 1 / slow;
    case TStepButton::IncreaseFast:
        return positive ? kFast : 1 / kFast;
    }
    return 1;
}

double StepValue(TStepButton button, double value, bool ctrl)
{
    return value * StepFactor(button, value, ctrl);
}

const char* StepButtonHint(TStepButton button)
{
    switch (button) {
    case TStepButton::DecreaseFast:
        return TrNoop("Diminuer rapidement la valeur");
    case TStepButton::Decrease:
        return TrNoop("Diminuer la valeur ; appuyer simultanément sur la touche Ctrl pour ralentir la progression");
    case TStepButton::Increase:
        return TrNoop("Augmenter la valeur ; appuyer simultanément sur la touche Ctrl pour ralentir la progression");
    case TStepButton::IncreaseFast:
        return TrNoop("Augmenter rapidement la valeur");
    }
    return "";
}

void TModeleur::SetTexts(
    const std::vector<std::string>& equationAndParameters, const std::vector<std::string>& statistics)
{
    if (equationAndParameters == m_equation && statistics == m_statistics)
        return;
    m_equation = equationAndParameters;
    m_statistics = statistics;
    Changed.Emit();
}

void TModeleur::SetValues(const std::vector<double>& values)
{
    m_values = values;
    if (m_values.size() > std::size_t(kMaxParameters))
        m_values.resize(std::size_t(kMaxParameters));
    Changed.Emit();
}

void TModeleur::SetShowEquation(bool show)
{
    if (show == m_showEquation)
        return;
    m_showEquation = show;
    Changed.Emit();
}

void TModeleur::SetShowStatistics(bool show)
{
    if (show == m_showStatistics)
        return;
    m_showStatistics = show;
    Changed.Emit();
}

void TModeleur::SetShowButtons(bool show)
{
    if (show == m_showButtons)
        return;
    m_showButtons = show;
    Changed.Emit();
}

void TModeleur::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    Changed.Emit();
}

void TModeleur::LayOut(const TTextMeasure& measure, int parentWidth, int parentHeight)
{
    m_parentWidth = parentWidth;
    m_parentHeight = parentHeight;
    TModeleurLayout layout;
    if (!m_sized) {
        // The first time: against the right edge of the graph, at the top.
        m_left = parentWidth - kFirstWidth - 1;
        m_top = 1;
        m_sized = true;
    }
    const double textHeight = measure.Measure("Mg", kPointSize, false).height;
    double width = kFirstWidth - kExtraWidth;
    const auto widen = [&](double right) { width = std::max(width, right); };
    layout.grip = { 0, kGripTop, kGripWidth, kGripHeight };
    const double gripBottom = kGripTop + kGripHeight;
    double bottom = gripBottom;
    double statisticsTop = gripBottom + kGap;
    if (m_showEquation && !m_equation.empty()) {
        const double top = gripBottom + kGap;
        layout.lines.push_back({ { kTextLeft, top }, m_equation.front() });
        widen(measure.Measure(m_equation.front(), kPointSize, false).width);
        bottom = top + textHeight;
        statisticsTop = bottom;
        const double rowsTop = gripBottom + textHeight + kGap;
        const std::size_t rows = m_equation.size() - 1;
        for (std::size_t i = 0; i < rows; ++i) {
            const double rowTop = rowsTop + kRowPitch * double(i) + kGap;
            const bool withButtons = m_showButtons && i < m_values.size();
            if (withButtons) {
                for (int k = 0; k < 4; ++k)
                    layout.buttons.push_back(
                        { { kButtonPitch * k + kTextLeft, rowTop, double(kButtonSize), double(kButtonSize) }, int(i),
                            TStepButton(k) });
            }
            // The line stands right of the row's fourth button, whether the buttons show or not.
            const double lineLeft = kButtonPitch * 3 + kTextLeft + kButtonSize + kTextLeft;
            const std::string& text = m_equation[i + 1];
            layout.lines.push_back({ { lineLeft, rowTop }, text });
            widen(lineLeft + measure.Measure(text, kPointSize, false).width);
            bottom = std::max(bottom, rowTop + std::max(double(kButtonSize), textHeight));
            statisticsTop = rowTop + kStatisticsGap;
        }
    }
    if (m_showStatistics) {
        double top = statisticsTop;
        for (const std::string& line : m_statistics) {
            layout.lines.push_back({ { kTextLeft, top }, line });
            widen(measure.Measure(line, kPointSize, false).width);
            top += textHeight;
            bottom = std::max(bottom, top);
        }
    }
    // Whole pixels: the panel is a window of the screen.
    layout.width = std::ceil(width + kExtraWidth);
    layout.height = std::ceil(bottom + kExtraHeight);
    layout.grip.left = (layout.width - kGripWidth) / 2;
    m_layout = std::move(layout);
    Clamp();
    Changed.Emit();
}

void TModeleur::Clamp()
{
    // Inside the parent, 1 pixel from each edge; a parent smaller than the panel keeps it at the top left.
    m_left = std::max(1.0, std::min(m_left, m_parentWidth - m_layout.width - 1));
    m_top = std::max(1.0, std::min(m_top, m_parentHeight - m_layout.height - 1));
}

void TModeleur::BeginDrag()
{
    if (onDragStart)
        onDragStart();
}

void TModeleur::MoveBy(double dx, double dy)
{
    MoveTo(m_left + dx, m_top + dy);
}

void TModeleur::MoveTo(double left, double top)
{
    m_left = left;
    m_top = top;
    Clamp();
    Changed.Emit();
}

void TModeleur::EndDrag()
{
    if (onDragEnd)
        onDragEnd();
}

bool TModeleur::Step(int parameter, TStepButton button, bool ctrl)
{
    if (parameter < 0 || parameter >= int(m_values.size()))
        return false;
    const double value = m_values[std::size_t(parameter)];
    const double next = StepValue(button, value, ctrl);
    if (next == value)
        return false;
    m_values[std::size_t(parameter)] = next;
    if (onParameterChanged)
        onParameterChanged(parameter, next);
    return true;
}

} // namespace kinoval::graph
