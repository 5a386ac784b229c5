#pragma once
// The button pads of the calculator and of the formula keyboard, made from tables.
//
// Each key has its component name, the caption it shows, the name a screen reader says and its tip, what it
// does and where it stands in the pad's grid. The window that owns the pad gives one callback that runs a
// key; the pad itself keeps no state.

#include <QString>

#include <functional>
#include <span>

class QGridLayout;
class QToolButton;
class QWidget;

namespace kinoval {

enum class TPadAction { Insert, Function, Backspace, ClearAll, Home, End, Left, Right, Previous, Next, Evaluate };

struct TPadKey {
    const char* name;
    const char* caption; // shown on the key, as it is
    const char* spoken; // the accessible name and the tip, in French through Tr(); null: the caption
    TPadAction action;
    const char* text; // what an insertion or a function key writes
    int row;
    int column;
};

// Makes the keys into a grid; each press calls run with its key.
QGridLayout* MakePad(QWidget* parent, std::span<const TPadKey> keys, const std::function<void(const TPadKey&)>& run);

// The inverse-function toggle ("Arc") that both pads carry.
QToolButton* MakeInverseToggle(QWidget* parent);

} // namespace kinoval
