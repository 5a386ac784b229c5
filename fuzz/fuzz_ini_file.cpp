// The INI reader on arbitrary bytes: never crashes, writing back is stable, and a key written through the
// class reads back the same, also after a trip through the text.
#include "core/common/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    kinoval::TIniFile ini;
    ini.SetText(input);
    const std::string first = ini.Text();
    for (const auto& section : ini.ReadSections())
        for (const auto& [key, value] : ini.ReadSectionValues(section))
            if (ini.ReadString(section, key, "\x01") != value)
                std::abort();

    kinoval::TIniFile again;
    again.SetText(first);
    if (again.Text() != first)
        std::abort();

    // The first bytes name a section, a key and a value.
    std::size_t a = size / 3, b = 2 * size / 3;
    const std::string section(input.substr(0, a)), key(input.substr(a, b - a)), value(input.substr(b));
    if (again.WriteString(section, key, value) == kinoval::kIniOk) {
        const std::string expected = again.ReadString(section, key, "\x01");
        kinoval::TIniFile reread;
        reread.SetText(again.Text());
        if (reread.ReadString(section, key, "\x02") != expected)
            std::abort();
    }
    again.EraseSection(section);
    if (again.SectionExists(section) && !section.empty())
        std::abort();
    return 0;
}
