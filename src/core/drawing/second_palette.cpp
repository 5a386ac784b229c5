#include "core/drawing/second_palette.h"

#include <cstdlib>

namespace kinoval::drawing {

TColor SecondColour(int i)
{
    const long long n = static_cast<long long>(kSecondPalette.size());
    if (i == -1)
        return kSecondPalette.back();
    return kSecondPalette[static_cast<std::size_t>(std::llabs(static_cast<long long>(i)) % n)];
}

} // namespace kinoval::drawing
