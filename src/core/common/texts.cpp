#include "core/common/texts.h"

namespace kinoval {

std::string Tr(std::string_view french)
{
    return std::string(french);
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args)
{
    std::string out;
    out.reserve(pattern.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            char k = pattern[i + 1];
            if (k == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (k == 'd' || k == 'u' || k == 's' || k == 'g') {
                if (next != args.end())
                    out += *next++;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace kinoval
