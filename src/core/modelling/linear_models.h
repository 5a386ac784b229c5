#pragma once
// The straight-line models: affine (r + b·t), constant (r) and proportional (b·t).
//
// In pixels a line is its height P0 at the left edge of the area and its slope P1 in pixels per pixel.
// Its two handles are the end points of the part of the line that crosses the area. A press on a handle
// turns the line about the other end (the affine line) or about the world origin (the proportional
// line); elsewhere the line is moved (the proportional line cannot be moved off the origin, and the
// constant line cannot turn).

#include "core/modelling/model.h"

namespace kinoval::modelling {

class TMdlLineaire : public TMdl {
public:
    // Kinds of straight line.
    static constexpr int kAffine = 0;
    static constexpr int kConstant = 1;
    static constexpr int kProportional = 5;

    explicit TMdlLineaire(int kind);
    int Kind() const { return m_kind; }
    int ParameterCount() const override;
    int HitTest(int x, int y) override;

    // The visible end points of the line in area pixels; false when the line misses the area.
    bool VisibleEnds(TAreaPoint& first, TAreaPoint& second) const;
    // The point about which a rotation started at the last BeginEdit turns.
    TAreaPoint Pivot() const { return m_pivot; }

protected:
    int DoFit() override;
    double Evaluate(double t) const override;
    void DoWorldToPixel() override;
    void DoPixelToWorld() override;
    double PublicParameter(int index) const override;
    void SetPublicParameter(int index, double value) override;
    std::string EquationTemplate() const override;
    int LetterIndex(int index) const override { return m_kind == kProportional ? 1 : index; }
    bool ShowsCorrelation() const override { return m_kind != kConstant; }
    void OnBeginEdit() override;
    bool DoDrag(TAreaPoint point) override;
    bool DoTranslate(double dx, double dy) override;

private:
    int m_kind;
    TAreaPoint m_pivot;
};

class TMdlAffine : public TMdlLineaire {
public:
    TMdlAffine()
        : TMdlLineaire(kAffine)
    {
    }
};

class TMdlConstant : public TMdlLineaire {
public:
    TMdlConstant()
        : TMdlLineaire(kConstant)
    {
    }
};

class TMdlProportionnel : public TMdlLineaire {
public:
    TMdlProportionnel()
        : TMdlLineaire(kProportional)
    {
    }
};

} // namespace kinoval::modelling
