#pragma once
// The vectors of a graph: the velocity or acceleration of an object drawn at each of its positions, and
// the vectors the user draws, moves, reverses and duplicates by hand.
//
// A vector keeps its anchor in world units (point 0) and its components in physical units; its length on
// the screen comes from the scale record of its family (TParamCom, courbe.h), so that every vector of a
// family shares one scale and the scale bar says what a length stands for. Dragging the tip or the anchor
// changes the components by what the pixels between them stand for; dragging the body moves the vector.

#include "core/graph/courbe.h"
#include "core/graph/elements.h"

#include <memory>
#include <string>
#include <vector>

namespace kinoval::graph {

class TGraph;

inline constexpr TColor kVecteurColour = MakeColor(148, 0, 211);
// The families, as a vector and its record name them.
inline constexpr int kFamilyVelocity = 0;
inline constexpr int kFamilyAcceleration = 1;
const char* FamilyUnit(int family);

// The direction of (vx, vy) in degrees in [0, 360): counterclockwise from the x axis, y upward.
double VectorDirection(double vx, double vy);

class TGVecteur : public TGPolyPoint {
public:
    // A vector of the data: its anchor, its components and its family's record.
    TGVecteur(TWorldPoint anchor, TWorldPoint components, int family, TParamCom* record);
    // A vector drawn by hand between two pixel positions, in a family's record.
    static std::unique_ptr<TGVecteur> FromPixels(
        const TElementFrame& frame, TPointF anchor, TPointF tip, int family, TParamCom* record);

    double vx = 0, vy = 0;
    // The index of a related vector (the one it was duplicated from), -1 when none.
    int related = -1;

    int Family() const override { return m_family; }
    TParamCom* Record() const { return m_record; }
    double Norm() const;
    double Direction() const { return VectorDirection(vx, vy); }
    // The scaled components: the vector in pixels of a plot one pixel wide (y upward).
    double ScaledX() const;
    double ScaledY() const;
    TPointF AnchorPixel() const { return Pixel(0); }
    TPointF TipPixel() const;

    // Turns the vector round: the anchor goes where the tip was and the components change sign.
    void Reverse();
    void BeginDrag(int handle, TPointF at) override;
    void Drag(TPointF to) override;
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    std::vector<std::string> Lines() const override;
    void Assign(const TGElem& other) override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGVecteur(*this)); }

protected:
    TGVecteur(const TGVecteur&) = default;

private:
    // The components from the pixels between the anchor and a tip.
    void ComponentsFrom(TPointF anchor, TPointF tip);

    int m_family = kFamilyVelocity;
    TParamCom* m_record = nullptr;
    TPointF m_tipHeld; // the tip that stays while the anchor is dragged
};

// The largest norm of a family's vectors in a graph (-1e100 when it has none).
double LargestNorm(const TGraph& graph, int family);
// Gives a graph the factory that makes the vectors of its curves' families.
void UseVectors(TGraph& graph);

} // namespace kinoval::graph
