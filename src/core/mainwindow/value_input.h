#pragma once
// Checks of the values typed in the main window's value dialog.
// Usage: TValueUse use = MakeFrameNumberUse(frameCount); then, on OK,
//   std::vector<std::string> refusal = CheckValue(use, text, value);
// An empty result accepts the value (stored in value, in radians for the angle);
// otherwise the lines to show, after which the dialog stays open with the text selected.
#include <string>
#include <string_view>
#include <vector>

namespace kinoval::mainwindow {

enum class TValueKind { Integer, Real };

struct TValueUse {
    std::string label;
    std::string caption;
    std::string rangeText;
    std::string note;
    std::string unitSuffix; // appended to the typed text when it is out of range
    TValueKind kind = TValueKind::Integer;
    double minimum = 0;
    double maximum = 0;
    bool strictBounds = false; // the bounds themselves are refused
    bool degreesToRadians = false;
};

TValueUse MakeAxisAngleUse();
TValueUse MakeScaleLengthUse();
TValueUse MakeMarksToDrawUse();
TValueUse MakeObjectsPerFrameUse();
TValueUse MakeFrameNumberUse(int frameCount);
TValueUse MakeFramesBetweenMarksUse(int frameCount);

std::vector<std::string> CheckValue(const TValueUse& use, std::string_view text, double& value);

} // namespace kinoval::mainwindow
