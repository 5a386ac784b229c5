#pragma once
// The curves and windows of the results window's time and trajectory pages, from one kinematic
// calculator.
//
// Time page: one curve per ticked object, the chosen quantity against t, each point numbered after its
// row. The window is the union of the curves' ranges widened by 5 % on each side (a single value by 5 % of
// itself, an empty range by 1e-50); the time axis starts at 0, the ordinates of v, a and R start at 0 and
// those of O and w include 0. The velocities and accelerations that the settings hide at the ends of an
// object's marks are left out, as the table leaves them out.
//
// Formula page: one formula against time, or against another formula; the rows where either has no value
// are skipped. The window is widened by 5 % on each side as on the time page.
//
// Trajectory page: the positions of one object in the laboratory's frame (the axes of the study, or the
// picture's own axes "as on the video") or in the frame of another object, which moves with that object
// without turning: the rows where either object has no mark are skipped. The window is widened by 10 % on
// each side; the graph makes it orthonormal.

#include "core/common/colour.h"
#include "core/formulas/formules.h"
#include "core/graph/graph.h"
#include "core/results/calcul.h"
#include "core/results/quantity.h"

#include <array>
#include <string>
#include <vector>

namespace kinoval::graph {

// An object of the mark set as the pages name and colour it.
struct TPageObject {
    std::string name;
    TColor colour = clRed;
};

// The quantities of the time page, in the order of its list.
inline constexpr std::array<results::TQuantity, 11> kTimeQuantities
    = { results::kQtyX, results::kQtyY, results::kQtyVx, results::kQtyVy, results::kQtyV, results::kQtyAx,
          results::kQtyAy, results::kQtyA, results::kQtyTheta, results::kQtyR, results::kQtyOmega };

enum class TQuantityFamily { Position, Velocity, Acceleration, Polar };
TQuantityFamily FamilyOf(results::TQuantity quantity);

struct TTimePageChoice {
    results::TQuantity quantity = results::kQtyX;
    std::vector<int> objects; // the ticked objects, 0-based
    bool timeFromZero = true; // "Origine des abscisses"
    bool ordinateWithZero = false; // "Origine des ordonnées"
    bool hideVelocityEdges = false;
    bool hideAccelerationEdges = false;
    int firstNumber = 1; // the number of the first row's point
};

std::vector<TCurveInput> TimeCurves(
    const results::TCalcul& calcul, const std::vector<TPageObject>& objects, const TTimePageChoice& choice);
TWorld TimeWindow(const std::vector<TCurveInput>& curves, const TTimePageChoice& choice);

struct TTrajectoryChoice {
    int object = 0;
    int reference = -1; // another object's frame, or -1 for the laboratory's
    bool studyAxes = true; // "dans le repère (O, x, y)"; false: "présentée comme sur la vidéo"
    bool withOriginX = false; // "Origine des abscisses"
    bool withOriginY = false; // "Origine des ordonnées"
    int firstNumber = 1;
};

TCurveInput TrajectoryCurve(
    const results::TCalcul& calcul, const std::vector<TPageObject>& objects, const TTrajectoryChoice& choice);
TWorld TrajectoryWindow(const TCurveInput& curve, const TTrajectoryChoice& choice);

struct TFormulaPageChoice {
    int formula = 0; // the formula plotted, 0-based in the formula list
    int abscissa = -1; // the formula of the abscissa, or -1 for the time
    bool originX = true; // "Origine des abscisses": with the time, the axis starts at 0
    bool originY = false; // "Origine des ordonnées": the ordinates include 0
    int firstNumber = 1;
};

// How a formula is named on its graph and in the page's lists: its name, or its expression without one.
std::string FormulaLabel(const formulas::TRec& formula);
// The formulas that have values, the ones the page can plot or take as abscissa.
std::vector<int> PlottableFormulas(const formulas::TFormules& formules);
TCurveInput FormulaCurve(
    const results::TCalcul& calcul, const formulas::TFormules& formules, const TFormulaPageChoice& choice);
TWorld FormulaWindow(const TCurveInput& curve, const TFormulaPageChoice& choice);

// What a graph shows, for the ones who cannot see it: the curve count, what is plotted against what, the
// names of the curves, and the ranges of both axes.
std::string DescribeGraph(const TGraph& graph, char separator);

} // namespace kinoval::graph
