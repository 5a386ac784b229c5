#pragma once
// The exponential model r + b·exp(c·t).
//
// In pixels it is Y = P0 + P1·exp(P2·X): the asymptote's height P0, the amplitude P1 at the left edge and
// the rate P2 per pixel. A press on the curve moves it (vertically the asymptote, horizontally a change of
// amplitude); a press elsewhere deforms it so that the grabbed height follows the mouse.

#include "core/modelling/model.h"

namespace kinoval::modelling {

class TMdlExponentiel : public TMdl {
public:
    TMdlExponentiel();
    int ParameterCount() const override { return 3; }
    // 0 on the curve, -1 elsewhere.
    int HitTest(int x, int y) override;
    int LastEndCode() const { return m_endCode; }

protected:
    int DoFit() override;
    double Evaluate(double t) const override;
    void DoWorldToPixel() override;
    void DoPixelToWorld() override;
    double PublicParameter(int index) const override { return m_world[static_cast<std::size_t>(index)]; }
    void SetPublicParameter(int index, double value) override { m_world[static_cast<std::size_t>(index)] = value; }
    std::string EquationTemplate() const override { return "%s + %s.exp(%s.t)"; }
    bool DoDrag(TAreaPoint point) override;
    bool DoTranslate(double dx, double dy) override;

private:
    int m_endCode = 0;
};

} // namespace kinoval::modelling
