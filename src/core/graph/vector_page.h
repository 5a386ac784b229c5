#pragma once
// The curves and window of the results window's vector page, from one kinematic calculator.
//
// One curve per ticked object: its positions in the study's axes, and at each of them the velocity or the
// acceleration as a vector of one family (named by its unit, "m/s" or "m/s²", which the scale bar reads
// after its value). Where the settings hide the velocities or accelerations at the ends of an object's
// marks, as the table does, those points carry no vector. The window is the union of the positions widened
// by 15 % on each side; the graph makes it orthonormal.

#include "core/graph/page_curves.h"
#include "core/graph/vectors.h"

#include <vector>

namespace kinoval::graph {

struct TVectorPageChoice {
    int family = kFamilyVelocity; // or kFamilyAcceleration
    std::vector<int> objects; // the ticked objects, 0-based
    bool hideVelocityEdges = false;
    bool hideAccelerationEdges = false;
    int firstNumber = 1;
};

std::vector<TCurveInput> VectorCurves(
    const results::TCalcul& calcul, const std::vector<TPageObject>& objects, const TVectorPageChoice& choice);
TWorld VectorWindow(const std::vector<TCurveInput>& curves);

} // namespace kinoval::graph
