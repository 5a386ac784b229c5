#pragma once
// Checking the time between two frames that the user types in the time dialog.

#include <string>
#include <string_view>
#include <vector>

namespace kinoval::document {

// Accepted values lie strictly between 1e-6 and 1e9 seconds; "," and "." are both decimal separators.
// Returns the lines of the refusal message (empty when the text is accepted, and then value is set).
std::vector<std::string> CheckTimeBetweenFrames(std::string_view text, double& value);

} // namespace kinoval::document
