#pragma once
// The results machinery: the two kinematic calculators of the program and the choice between them.
//
// One calculator works on the marks of the fixed (camera-bound) frame, the other on the marks of the
// transparent sheet. Which one is current follows the view's marking mode, asked through a hook that
// the owner of the view sets; without a hook the fixed-frame calculator is current. Every read
// forwards to the current calculator. Writes take a selector: 1 the current calculator, 2 the
// transparent one, 3 the fixed-frame one, 0 both.
//
// TResCalc borrows the measurement source; the document outlives it.

#include "core/document/measurement.h"
#include "core/results/calcul.h"
#include "core/results/selector.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace kinoval::results {

class TResCalc {
public:
    explicit TResCalc(const TMeasurementSource& source)
        : m_source(source)
    {
    }

    // True while the view is in its transparent marking mode.
    void SetTransparentModeHook(std::function<bool()> hook) { m_isTransparent = std::move(hook); }

    // Code of the recomputation; with selector 0 the first failure of the two (both are attempted).
    int Recompute(TSel which);
    void Invalidate(TSel which);
    bool IsDirty(TSel which) const;
    // Derivative pass; the codes of the last pass stay readable through LastDeriveCode().
    bool Derive(TSel which, int smoothFlags);
    int LastDeriveCode() const { return m_lastDeriveCode; }

    TCalcul& Current();
    const TCalcul& Current() const;
    TCalcul& Transparent() { return m_transparent; }
    TCalcul& Fixed() { return m_fixed; }

    double Value(int axes, int object, TQuantity code, int row) const
    {
        return Current().Value(axes, object, code, row);
    }
    double Time(int row) const { return Current().Time(row); }
    int Rows() const { return Current().Rows(); }
    int ObjectCount() const { return Current().ObjectCount(); }
    const std::vector<double>& Times() const { return Current().Times(); }
    const std::vector<int>& RowIndices() const { return Current().RowIndices(); }
    int FrameOf(int object, int row) const { return Current().FrameOf(object, row); }
    const std::vector<int>& FramesOf(int object) const { return Current().FramesOf(object); }
    std::vector<std::vector<double>> Series(TQuantity code, int axes) const { return Current().Series(code, axes); }
    double MaxOf(int axes, int object, TQuantity code) const { return Current().MaxOf(axes, object, code); }
    double MinOf(int axes, int object, TQuantity code) const { return Current().MinOf(axes, object, code); }
    double MaxAll(int axes, TQuantity code) const { return Current().MaxAll(axes, code); }
    double MinAll(int axes, TQuantity code) const { return Current().MinAll(axes, code); }
    std::pair<double, double> Scale() const { return { Current().Sx(), Current().Sy() }; }

private:
    // The calculators a selector names, current first; none for an unknown selector.
    std::vector<TCalcul*> Selected(TSel which);
    bool TransparentIsCurrent() const { return m_isTransparent && m_isTransparent(); }

    const TMeasurementSource& m_source;
    std::function<bool()> m_isTransparent;
    TCalcul m_fixed { TMarkSet::Fixed };
    TCalcul m_transparent { TMarkSet::Transparent };
    int m_lastDeriveCode = 3;
};

} // namespace kinoval::results
