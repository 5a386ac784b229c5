// The INI reader on arbitrary bytes: never crashes, writing back is stable, and a key written through the
// class reads back the same, also after a trip through the text. Every section's key count bounds the
// lists read from it, so it must be the number of keys a reader can find there. And the bytes, shown in a
// message, come out as clean text: no control character, no broken UTF-8 sequence.
#include "core/common/ini_file.h"
#include "core/common/system_errors.h"

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
    for (const auto& section : ini.ReadSections()) {
        const auto values = ini.ReadSectionValues(section);
        if (ini.KeyCount(section) != values.size())
            std::abort();
        for (const auto& [key, value] : values)
            if (ini.ReadString(section, key, "\x01") != value)
                std::abort();
    }

    const std::string shown = kinoval::EscapeForMessage(input, 4096);
    for (std::size_t i = 0; i < shown.size();) {
        const auto c = static_cast<unsigned char>(shown[i]);
        if (c < 0x20 || c == 0x7F)
            std::abort();
        std::size_t length = c < 0x80 ? 1 : (c >= 0xF0 ? 4 : (c >= 0xE0 ? 3 : 2));
        if (c >= 0x80 && c < 0xC2)
            std::abort(); // a continuation byte or an overlong lead on its own
        if (i + length > shown.size())
            std::abort();
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(shown[i + k]) & 0xC0) != 0x80)
                std::abort();
        i += length;
    }

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
