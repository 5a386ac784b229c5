#include "core/common/file_filter.h"

#include <filesystem>
#include <vector>

namespace kinoval {

std::string DialogFilterOf(std::string_view pairedFilter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= pairedFilter.size()) {
        const std::size_t bar = pairedFilter.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? pairedFilter.size() : bar;
        parts.emplace_back(pairedFilter.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string label = parts[i];
        const std::string patterns = i + 1 < parts.size() ? parts[i + 1] : std::string();
        const std::size_t open = label.rfind('(');
        std::string spaced = patterns;
        for (char& c : spaced)
            if (c == ';')
                c = ' ';
        if (open != std::string::npos)
            label = label.substr(0, open) + "(" + spaced + ")";
        else if (!spaced.empty())
            label += " (" + spaced + ")";
        if (label.empty())
            continue;
        if (!out.empty())
            out += ";;";
        out += label;
    }
    return out;
}

std::string WithExtension(const std::string& path, std::string_view extension)
{
    std::filesystem::path p(path);
    p.replace_extension(std::string(extension));
    return p.string();
}

} // namespace kinoval
