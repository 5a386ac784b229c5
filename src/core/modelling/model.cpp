#include "core/modelling/model.h"

#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/modelling/model_texts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinoval::modelling {
namespace {

bool RangeUsable(double range)
{
    return std::fabs(range) >= kTiny && std::fabs(range) <= kHuge;
}

} // namespace

int DistinctAbscissae(const std::vector<double>& abscissae)
{
    std::vector<double> sorted(abscissae);
    std::sort(sorted.begin(), sorted.end());
    return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

TMdl::TMdl(int worldCount)
    : m_world(static_cast<std::size_t>(worldCount), 0.0)
{
}

TMdl::~TMdl() = default;

bool TMdl::WindowUsable() const
{
    return RangeUsable(m_xmax - m_xmin) && RangeUsable(m_ymax - m_ymin) && m_width != 0 && m_height != 0;
}

void TMdl::SetArea(int left, int top, int width, int height)
{
    Sync(); // an edit made in the old geometry belongs to the old geometry
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    WorldToPixel();
    if (m_textsWanted)
        RebuildTexts();
}

void TMdl::SetWindow(double xmin, double xmax, double ymin, double ymax)
{
    Sync();
    m_xmin = xmin;
    m_xmax = xmax;
    m_ymin = ymin;
    m_ymax = ymax;
    WorldToPixel();
    if (m_textsWanted)
        RebuildTexts();
}

int TMdl::Fit(const std::vector<double>& abscissae, const std::vector<double>& ordinates)
{
    Sync();
    const std::size_t n = std::min(abscissae.size(), ordinates.size());
    m_t.assign(abscissae.begin(), abscissae.begin() + static_cast<std::ptrdiff_t>(n));
    m_y.assign(ordinates.begin(), ordinates.begin() + static_cast<std::ptrdiff_t>(n));
    const int code = DoFit();
    if (code == 0) {
        m_parametersChanged = true;
        WorldToPixel();
    }
    ComputeStatistics();
    if (m_textsWanted)
        RebuildTexts();
    Notify();
    return code;
}

double TMdl::Parameter(int index)
{
    Sync();
    if (index < 0 || index >= ParameterCount())
        return std::numeric_limits<double>::quiet_NaN();
    return PublicParameter(index);
}

void TMdl::SetParameter(int index, double value)
{
    Sync();
    if (index < 0 || index >= ParameterCount() || PublicParameter(index) == value)
        return;
    SetPublicParameter(index, value);
    m_parametersChanged = true;
    WorldToPixel();
    ComputeStatistics();
    if (m_textsWanted)
        RebuildTexts();
    Notify();
}

const std::vector<double>& TMdl::WorldParameters()
{
    Sync();
    return m_world;
}

double TMdl::Value(double t)
{
    Sync();
    return Evaluate(t);
}

std::vector<std::string> TMdl::Texts(const std::string& ordinateName, const std::string& abscissaName)
{
    Sync();
    m_ordinateName = ordinateName;
    m_abscissaName = abscissaName;
    RebuildTexts();
    return m_texts;
}

std::vector<std::string> TMdl::Statistics()
{
    Sync();
    RebuildTexts();
    return m_statistics;
}

double TMdl::Correlation()
{
    Sync();
    return m_correlation;
}

double TMdl::RmsDeviation()
{
    Sync();
    return m_rms;
}

double TMdl::RelativePrecision()
{
    Sync();
    return m_precision;
}

std::vector<std::string> TMdl::EquationLines(const std::string& ordinate, const std::string& abscissa) const
{
    // The template is filled with the letters first, then every "t" of it names the abscissa.
    std::string tmpl = Tr(EquationTemplate());
    std::string filled;
    std::size_t next = 0;
    for (std::size_t i = 0; i < tmpl.size(); ++i) {
        if (tmpl[i] == '%' && i + 1 < tmpl.size() && tmpl[i + 1] == 's') {
            filled += ParameterLetter(LetterIndex(static_cast<int>(next++)));
            ++i;
        } else if (tmpl[i] == 't') {
            filled += abscissa;
        } else {
            filled += tmpl[i];
        }
    }
    std::vector<std::string> lines;
    lines.push_back(Tr("Modèle") + ": " + ordinate + " = " + filled);
    for (int i = 0; i < ParameterCount(); ++i)
        lines.push_back(ParameterLetter(LetterIndex(i)) + " = " + FormatModelValue(0, PublicParameter(i)));
    return lines;
}

void TMdl::RebuildTexts()
{
    m_texts = EquationLines(m_ordinateName, m_abscissaName);
    m_statistics.clear();
    m_statistics.push_back(Tr("Incertitudes sur les ordonnées") + ": ");
    // A statistic that could not be computed is said to be missing, never shown as its -1 marker.
    const std::string missing = "#Nombre!"; // as in the tables, in every language
    m_statistics.push_back("- " + Tr("précision relative") + " = "
        + (m_precisionKnown ? FormatStatisticValue(100 * m_precision) + "%" : missing));
    m_statistics.push_back(
        "- " + Tr("écart quadratique moyen") + " = " + (m_rmsKnown ? FormatStatisticValue(m_rms) : missing));
    if (ShowsCorrelation())
        m_statistics.push_back("- " + Tr("coefficient de corrélation") + " = "
            + (m_correlationKnown ? FormatModelValue(2, m_correlation) : missing));
}

void TMdl::ComputeStatistics()
{
    const std::size_t n = std::min(m_t.size(), m_y.size());
    std::vector<double> f(n);
    for (std::size_t i = 0; i < n; ++i)
        f[i] = Evaluate(m_t[i]);
    double ym = 0, fm = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ym += m_y[i];
        fm += f[i];
    }
    if (n > 0) {
        ym /= static_cast<double>(n);
        fm /= static_cast<double>(n);
    }
    double syy = 0, sff = 0, syf = 0, sdd = 0, sy2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dy = m_y[i] - ym, df = f[i] - fm, d = m_y[i] - f[i];
        syy += dy * dy;
        sff += df * df;
        syf += dy * df;
        sdd += d * d;
        sy2 += m_y[i] * m_y[i];
    }
    m_correlation = (syy < kTiny || sff < kTiny) ? 0 : syf / (std::sqrt(syy) * std::sqrt(sff));
    m_rms = n == 0 ? -1 : std::sqrt(sdd / static_cast<double>(n));
    m_precision = sy2 < kTiny ? -1 : std::sqrt(sdd / sy2);
    m_correlationKnown = n > 0;
    m_rmsKnown = n > 0;
    m_precisionKnown = sy2 >= kTiny;
    if (!std::isfinite(m_correlation) || !std::isfinite(m_rms) || !std::isfinite(m_precision)) {
        m_correlation = -1;
        m_rms = -1;
        m_precision = -1;
        m_correlationKnown = m_rmsKnown = m_precisionKnown = false;
    }
}

void TMdl::WorldToPixel()
{
    if (WindowUsable())
        DoWorldToPixel();
}

void TMdl::PixelToWorld()
{
    if (WindowUsable())
        DoPixelToWorld();
}

TAreaPoint TMdl::ToArea(int x, int y) const
{
    return { static_cast<double>(x - m_left), static_cast<double>(m_top + m_height - y) };
}

int TMdl::HitTest(int, int)
{
    return -1;
}

void TMdl::BeginEdit(int x, int y)
{
    Sync();
    m_grabHandle = HitTest(x, y);
    m_grab = ToArea(x, y);
    m_saved = m_p;
    m_editing = true;
    if (WindowUsable()) // pivots and reference points are pixel positions
        OnBeginEdit();
}

bool TMdl::Drag(int x, int y)
{
    if (!WindowUsable() || !DoDrag(ToArea(x, y)))
        return false;
    PixelsEdited();
    return true;
}

bool TMdl::Translate(double dx, double dy)
{
    if (!WindowUsable() || !DoTranslate(dx, dy))
        return false;
    PixelsEdited();
    return true;
}

bool TMdl::MoveHandle(int, double, double, TEditSpeed)
{
    return false;
}

void TMdl::EndEdit()
{
    m_editing = false;
    m_grabHandle = -1;
    Sync();
    Notify();
}

std::vector<TModelPolyline> TMdl::Polylines()
{
    Sync();
    std::vector<TModelPolyline> lines;
    if (!WindowUsable() || m_width < 0 || m_height < 0)
        return lines;
    std::size_t total = 0;
    TModelPolyline current;
    for (int column = 0; column <= m_width && total < kMaxDrawnPoints; ++column) {
        const double y = AreaY(Evaluate(WorldX(column)));
        if (std::isfinite(y) && y >= 0 && y <= m_height) {
            current.push_back({ m_left + column, m_top + m_height - static_cast<int>(std::lround(y)) });
            ++total;
        } else if (!current.empty()) {
            lines.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

void TMdl::PixelsEdited()
{
    m_changed = true;
    Notify();
}

void TMdl::Sync()
{
    if (!m_changed)
        return;
    m_changed = false;
    PixelToWorld();
    m_parametersChanged = true;
    ComputeStatistics();
    if (m_textsWanted)
        RebuildTexts();
}

void TMdl::Notify()
{
    if (m_onChange)
        m_onChange();
}

} // namespace kinoval::modelling
