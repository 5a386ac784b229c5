#include "core/results/calcul.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>

namespace kinoval::results {
namespace {

constexpr int kNoVideo = 5;
constexpr int kNoScale = 4;
constexpr int kNothing = 3;

template <typename T> T At(const std::vector<std::vector<T>>& m, std::size_t o, std::size_t p, T fallback)
{
    if (o >= m.size() || p >= m[o].size())
        return fallback;
    return m[o][p];
}

} // namespace

void TCalcul::SizeArrays(int objects, int rows)
{
    const auto n = static_cast<std::size_t>(objects);
    const auto r = static_cast<std::size_t>(rows);
    m_objects = objects;
    m_times.assign(r, 0.0);
    m_rowIndex.assign(r, 0);
    m_frames.assign(n, std::vector<int>(r, -1));
    m_markCount.assign(n, 0);
    m_marks.assign(n, TMarkSeries {});
    const auto zero = [&](TMatrix& m) { m.assign(n, std::vector<double>(r, 0.0)); };
    for (int k = 0; k < 2; ++k) {
        zero(m_x[k]);
        zero(m_y[k]);
        zero(m_vx[k]);
        zero(m_vy[k]);
        zero(m_ax[k]);
        zero(m_ay[k]);
    }
    zero(m_v);
    zero(m_a);
    zero(m_theta);
    zero(m_r);
    zero(m_omega);
}

void TCalcul::ToUserAxes(double px, double py, double& ux, double& uy) const
{
    ux = px * m_cos + py * m_sin;
    uy = py * m_cos - px * m_sin;
    if (!m_xDirect)
        ux = -ux;
    if (!m_yDirect)
        uy = -uy;
}

int TCalcul::Recompute(const TMeasurementSource& source)
{
    // Until this pass reaches its end the arrays do not describe the document: a failed pass must not
    // leave a calculator that was clean looking up to date over emptied arrays.
    m_dirty = true;
    ++m_generation;
    if (!source.IsVideoOpen())
        return kNoVideo;
    TMeasurement meas;
    source.ExportMeasurement(m_markSet, meas);
    const int rows = static_cast<int>(meas.times.size());
    const int objects = static_cast<int>(meas.frames.size());
    SizeArrays(objects, rows);

    const TFrameGeometry geometry = source.Geometry(m_markSet);
    m_sx = geometry.sx;
    m_sy = geometry.sy;
    if (!(m_sx > 0) || !(m_sy > 0)) // NaN counts as no scale too
        return kNoScale;
    m_cos = std::cos(geometry.xAxisAngle);
    m_sin = std::sin(geometry.xAxisAngle);
    m_xDirect = geometry.xAxisDirect;
    m_yDirect = geometry.yAxisDirect;
    m_dt = source.TimeBetweenFrames();
    m_timesFromFrames = meas.timesFromFrames;

    for (int row = 0; row < rows; ++row) {
        m_times[row] = meas.times[row];
        m_rowIndex[row] = row;
    }
    for (int o = 0; o < objects; ++o) {
        TMarkSeries& marks = m_marks[o];
        for (int row = 0; row < rows; ++row) {
            const int frame = At(meas.frames, o, row, -1);
            if (frame == -1)
                continue;
            const double X = At(meas.X, o, row, 0.0);
            const double Y = At(meas.Y, o, row, 0.0);
            const double px = X * m_sx, py = Y * m_sy;
            double x = 0, y = 0;
            ToUserAxes(px, py, x, y);
            m_frames[o][row] = frame;
            m_x[kUserAxes][o][row] = x;
            m_y[kUserAxes][o][row] = y;
            m_x[kPictureAxes][o][row] = px;
            m_y[kPictureAxes][o][row] = py;
            marks.row.push_back(row);
            marks.frame.push_back(frame);
            marks.time.push_back(meas.times[row]);
            marks.pictureX.push_back(X);
            marks.pictureY.push_back(Y);
            marks.x.push_back(x);
            marks.y.push_back(y);
        }
        const std::size_t count = marks.row.size();
        m_markCount[o] = static_cast<int>(count);
        for (auto* v :
            { &marks.vx, &marks.vy, &marks.v, &marks.ax, &marks.ay, &marks.a, &marks.theta, &marks.r, &marks.omega })
            v->assign(count, 0.0);
    }
    m_dirty = false;
    return 0;
}

int TCalcul::Derive(int smoothFlags)
{
    ++m_generation;
    int result = kNothing;
    for (int o = 0; o < m_objects; ++o) {
        result = DeriveObject(o, smoothFlags);
        if (result != 0)
            return result;
        result = PolarObject(o, smoothFlags);
        if (result != 0)
            return result;
    }
    return result;
}

int TCalcul::DeriveObject(int object, int smoothFlags)
{
    if (object < 0 || object >= m_objects)
        return kNothing;
    TMarkSeries& marks = m_marks[object];
    const bool smoothV = (smoothFlags & kSmoothVelocity) != 0;
    const bool smoothA = (smoothFlags & kSmoothAcceleration) != 0;

    // The velocity reads the first derivative of a run with the velocity flag, the acceleration the
    // second derivative of a run with the acceleration flag; with equal flags one run serves both.
    const std::vector<double>& u = m_timesFromFrames ? marks.time : marks.frame;
    const double period = m_timesFromFrames ? 1.0 : m_dt;
    TDeriv vX(u, marks.pictureX, period), vY(u, marks.pictureY, period);
    int velocityCode = vX.Compute(smoothV);
    if (velocityCode == 0)
        velocityCode = vY.Compute(smoothV);
    std::optional<TDeriv> aX, aY;
    int accelerationCode = velocityCode;
    if (smoothA != smoothV) {
        aX.emplace(u, marks.pictureX, period);
        aY.emplace(u, marks.pictureY, period);
        accelerationCode = aX->Compute(smoothA);
        if (accelerationCode == 0)
            accelerationCode = aY->Compute(smoothA);
    }
    // A failure of either derivative stops the pass: reporting success with half the quantities
    // missing would show zeros as measurements.
    if (velocityCode != 0)
        return velocityCode;
    if (accelerationCode != 0)
        return accelerationCode;

    const std::vector<double>& dX = vX.First();
    const std::vector<double>& dY = vY.First();
    const std::vector<double>& ddX = aX ? aX->Second() : vX.Second();
    const std::vector<double>& ddY = aY ? aY->Second() : vY.Second();
    marks.velocityBranch[0] = vX.FirstBranch();
    marks.velocityBranch[1] = vY.FirstBranch();
    marks.accelerationBranch[0] = aX ? aX->SecondBranch() : vX.SecondBranch();
    marks.accelerationBranch[1] = aY ? aY->SecondBranch() : vY.SecondBranch();
    for (std::size_t i = 0; i < marks.row.size(); ++i) {
        const int row = marks.row[i];
        double ux = 0, uy = 0;
        const double vxPic = dX[i] * m_sx, vyPic = dY[i] * m_sy;
        ToUserAxes(vxPic, vyPic, ux, uy);
        m_vx[kPictureAxes][object][row] = vxPic;
        m_vy[kPictureAxes][object][row] = vyPic;
        m_vx[kUserAxes][object][row] = ux;
        m_vy[kUserAxes][object][row] = uy;
        m_v[object][row] = std::sqrt(vxPic * vxPic + vyPic * vyPic);
        marks.vx[i] = ux;
        marks.vy[i] = uy;
        marks.v[i] = m_v[object][row];

        const double axPic = ddX[i] * m_sx, ayPic = ddY[i] * m_sy;
        ToUserAxes(axPic, ayPic, ux, uy);
        m_ax[kPictureAxes][object][row] = axPic;
        m_ay[kPictureAxes][object][row] = ayPic;
        m_ax[kUserAxes][object][row] = ux;
        m_ay[kUserAxes][object][row] = uy;
        m_a[object][row] = std::sqrt(axPic * axPic + ayPic * ayPic);
        marks.ax[i] = ux;
        marks.ay[i] = uy;
        marks.a[i] = m_a[object][row];
    }
    return 0;
}

int TCalcul::PolarObject(int object, int smoothFlags)
{
    if (object < 0 || object >= m_objects)
        return kNothing;
    TMarkSeries& marks = m_marks[object];
    std::fill(m_theta[object].begin(), m_theta[object].end(), 0.0);
    std::fill(m_omega[object].begin(), m_omega[object].end(), 0.0);
    const std::size_t count = marks.row.size();
    if (count == 0)
        return 0;
    // Unwrap the angle: a step of half a turn or more between two marks is taken as a crossing of the
    // negative x half-axis, so an object turning round the origin gains 2 pi a turn instead of jumping.
    constexpr double pi = std::numbers::pi;
    double previous = std::atan2(marks.y[0], marks.x[0]);
    double offset = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double phi = std::atan2(marks.y[i], marks.x[i]);
        const double d = phi - previous;
        if (d >= 0 && d >= pi)
            offset -= 2 * pi;
        if (d < 0 && d <= -pi)
            offset += 2 * pi;
        marks.theta[i] = phi + offset;
        previous = phi;
        marks.r[i] = std::sqrt(marks.x[i] * marks.x[i] + marks.y[i] * marks.y[i]);
    }
    TDeriv omega(m_timesFromFrames ? marks.time : marks.frame, marks.theta, m_timesFromFrames ? 1.0 : m_dt);
    const int code = omega.Compute((smoothFlags & kSmoothVelocity) != 0);
    marks.omegaBranch = omega.FirstBranch();
    if (code != 0)
        return code;
    for (std::size_t i = 0; i < count; ++i) {
        const int row = marks.row[i];
        marks.omega[i] = omega.First()[i];
        m_theta[object][row] = marks.theta[i];
        m_r[object][row] = marks.r[i];
        m_omega[object][row] = marks.omega[i];
    }
    return 0;
}

double TCalcul::Time(int row) const
{
    if (row < 0 || row >= Rows())
        return 0;
    return m_times[row];
}

int TCalcul::FrameOf(int object, int row) const
{
    if (object < 0 || object >= m_objects || row < 0 || row >= Rows())
        return 0;
    return m_frames[object][row];
}

const std::vector<int>& TCalcul::FramesOf(int object) const
{
    static const std::vector<int> none;
    if (object < 0 || object >= m_objects)
        return none;
    return m_frames[object];
}

int TCalcul::MarkCount(int object) const
{
    if (object < 0 || object >= m_objects)
        return 0;
    return m_markCount[object];
}

const TCalcul::TMarkSeries* TCalcul::MarksOf(int object) const
{
    if (object < 0 || object >= m_objects)
        return nullptr;
    return &m_marks[object];
}

const TCalcul::TMatrix* TCalcul::Matrix(TQuantity code, int axes) const
{
    const int k = axes == kPictureAxes ? kPictureAxes : kUserAxes;
    switch (code) {
    case kQtyX:
        return &m_x[k];
    case kQtyY:
        return &m_y[k];
    case kQtyVx:
        return &m_vx[k];
    case kQtyVy:
        return &m_vy[k];
    case kQtyV:
        return &m_v;
    case kQtyAx:
        return &m_ax[k];
    case kQtyAy:
        return &m_ay[k];
    case kQtyA:
        return &m_a;
    case kQtyTheta:
        return &m_theta;
    case kQtyR:
        return &m_r;
    case kQtyOmega:
        return &m_omega;
    default:
        return nullptr;
    }
}

double TCalcul::Value(int axes, int object, TQuantity code, int row) const
{
    if (row < 0 || row >= Rows())
        return 0;
    if (code == kQtyT)
        return m_times[row];
    if (object < 0 || object >= m_objects)
        return 0;
    const TMatrix* m = Matrix(code, axes);
    return m ? (*m)[object][row] : 0.0;
}

std::vector<std::vector<double>> TCalcul::Series(TQuantity code, int axes) const
{
    if (code == kQtyT)
        return std::vector<std::vector<double>>(static_cast<std::size_t>(m_objects), m_times);
    const TMatrix* m = Matrix(code, axes);
    return m ? *m : TMatrix {};
}

double TCalcul::MaxOf(int axes, int object, TQuantity code) const
{
    double best = kEmptyMax;
    if (object < 0 || object >= m_objects || (code != kQtyT && !Matrix(code, axes)))
        return best;
    for (int row = 0; row < Rows(); ++row)
        if (m_frames[object][row] != -1)
            best = std::max(best, Value(axes, object, code, row));
    return best;
}

double TCalcul::MinOf(int axes, int object, TQuantity code) const
{
    double best = kEmptyMin;
    if (object < 0 || object >= m_objects || (code != kQtyT && !Matrix(code, axes)))
        return best;
    for (int row = 0; row < Rows(); ++row)
        if (m_frames[object][row] != -1)
            best = std::min(best, Value(axes, object, code, row));
    return best;
}

double TCalcul::MaxAll(int axes, TQuantity code) const
{
    double best = kEmptyMax;
    for (int o = 0; o < m_objects; ++o)
        best = std::max(best, MaxOf(axes, o, code));
    return best;
}

double TCalcul::MinAll(int axes, TQuantity code) const
{
    double best = kEmptyMin;
    for (int o = 0; o < m_objects; ++o)
        best = std::min(best, MinOf(axes, o, code));
    return best;
}

} // namespace kinoval::results
