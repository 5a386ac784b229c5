#pragma once
// The sinusoidal models: the pure sinus r + b·sin(c·t + d), the exponentially damped sinus
// r + b·sin(c·t + d)·exp(k·t) and the linearly damped sinus of an oscillator with solid friction.
//
// In pixels a sinusoid is its centre line P0, its amplitude P1 at the left edge, its pulsation P2 per pixel,
// its phase P3 at the left edge (kept in [0, 2pi)) and, for the damped ones, a damping P4 per pixel. Its
// eight handles frame one period around a reference point, the upward crossing of the centre line nearest
// the middle of the area: the corners 0 and 3 (left) and 4 and 7 (right), half a period from it, stretch
// or squeeze the period; 2 (a crest) and 6 (a trough) change the amplitude; 1 and 5 (the crest and trough
// beyond them) change the amplitude of the pure sinus and the damping of the damped ones.
//
// The linearly damped sinus stops at its last turning point before its envelope vanishes; it is shown to
// the user as the equation of motion x" + r.x + b.Sign(x') = c with its two initial conditions, and those
// three coefficients are its public parameters.

#include "core/modelling/model.h"

namespace kinoval::modelling {

class TMdlSinusPure : public TMdl {
public:
    int HitTest(int x, int y) override;
    bool MoveHandle(int handle, double dx, double dy, TEditSpeed speed) override;
    // The position of a handle (0..7) in area pixels.
    TAreaPoint HandlePosition(int handle) const;
    int LastEndCode() const { return m_endCode; }

    // Pixel limits.
    static constexpr double kMinPulsation = 1e-6;
    static constexpr double kMaxPulsation = 0.25;
    static constexpr double kMinDamping = -0.9;

protected:
    TMdlSinusPure(int worldCount, int fitCode);
    int DoFit() override;
    void DoWorldToPixel() override;
    void DoPixelToWorld() override;
    void OnBeginEdit() override;
    bool DoTranslate(double dx, double dy) override;
    // The envelope factor at area abscissa X (1 for the pure sinus).
    virtual double Envelope(double) const { return 1; }
    virtual bool Damped() const { return false; }
    // The damping from the envelope height wanted at a handle; false when it cannot be worked out.
    virtual bool DampingFromEnvelope(double, double, double&) const { return false; }
    double ReferenceX() const;

    int m_fitCode;
    int m_endCode = 0;
    double m_editReference = 0;
};

class TMdlSinus : public TMdlSinusPure {
public:
    TMdlSinus();
    int ParameterCount() const override { return 4; }

protected:
    double Evaluate(double t) const override;
    double PublicParameter(int index) const override { return m_world[static_cast<std::size_t>(index)]; }
    void SetPublicParameter(int index, double value) override { m_world[static_cast<std::size_t>(index)] = value; }
    std::string EquationTemplate() const override { return "%s + %s.sin(%s.t + %s)"; }
};

class TMdlSinusAe : public TMdlSinusPure {
public:
    TMdlSinusAe();
    int ParameterCount() const override { return 5; }

protected:
    double Evaluate(double t) const override;
    double PublicParameter(int index) const override { return m_world[static_cast<std::size_t>(index)]; }
    void SetPublicParameter(int index, double value) override { m_world[static_cast<std::size_t>(index)] = value; }
    std::string EquationTemplate() const override { return "%s + %s.sin(%s.t + %s).exp(%s.t)"; }
    double Envelope(double x) const override;
    bool Damped() const override { return true; }
    bool DampingFromEnvelope(double x, double envelope, double& damping) const override;
};

class TMdlSinusAl : public TMdlSinusPure {
public:
    TMdlSinusAl();
    // The coefficients r, b, c of x" + r.x + b.Sign(x') = c.
    int ParameterCount() const override { return 3; }
    // They come from an offset, an amplitude, a pulsation, a phase and a damping.
    int FittedParameterCount() const override { return 5; }
    // Instant at which the motion stops (+infinity when it never does).
    double StopTime() const;

protected:
    double Evaluate(double t) const override;
    double PublicParameter(int index) const override;
    void SetPublicParameter(int index, double value) override;
    std::vector<std::string> EquationLines(const std::string& ordinate, const std::string& abscissa) const override;
    double Envelope(double x) const override;
    bool Damped() const override { return true; }
    bool DampingFromEnvelope(double x, double envelope, double& damping) const override;
};

} // namespace kinoval::modelling
