#pragma once
// The parabola with a vertical axis, r + b·t + c·t².
//
// In pixels it is Y = A·X² + B·X + C (pixel parameters 0, 1, 2). Its two handles sit on the branches,
// halfway in height between the vertex (brought into the area) and the edge the branches run to. A press
// on a handle reshapes the parabola about its vertex so that it passes through the mouse; a press
// elsewhere moves it.

#include "core/modelling/model.h"

namespace kinoval::modelling {

class TMdlParaboleAv : public TMdl {
public:
    TMdlParaboleAv();
    int ParameterCount() const override { return 3; }
    // 1 and 2 on the left and right branch handles, 0 on the curve, -1 elsewhere.
    int HitTest(int x, int y) override;
    // The branch handles in area pixels; returns how many are visible (0 to 2).
    int BranchHandles(TAreaPoint& left, TAreaPoint& right) const;

protected:
    int DoFit() override;
    double Evaluate(double t) const override;
    void DoWorldToPixel() override;
    void DoPixelToWorld() override;
    double PublicParameter(int index) const override { return m_world[static_cast<std::size_t>(index)]; }
    void SetPublicParameter(int index, double value) override { m_world[static_cast<std::size_t>(index)] = value; }
    std::string EquationTemplate() const override { return "%s + %s.t + %s.t²"; }
    bool DoDrag(TAreaPoint point) override;
    bool DoTranslate(double dx, double dy) override;
};

} // namespace kinoval::modelling
