#include "core/common/texts.h"

#include <atomic>
#include <cstdlib>

namespace kinoval {

namespace {

std::atomic<TTranslator> g_translator { nullptr };
std::atomic<TLanguage> g_language { TLanguage::French };

bool Empty(const char* text)
{
    return text == nullptr || *text == '\0';
}

} // namespace

std::string Tr(std::string_view french)
{
    return Tr(french, {});
}

std::string Tr(std::string_view french, std::string_view meaning)
{
    const TTranslator translator = g_translator.load(std::memory_order_acquire);
    if (translator == nullptr || french.empty())
        return std::string(french);
    std::string translated = translator(french, meaning);
    return translated.empty() ? std::string(french) : translated;
}

void SetTranslator(TTranslator translator)
{
    g_translator.store(translator, std::memory_order_release);
}

TLanguage LanguageOfLocale(std::string_view locale)
{
    const std::size_t end = locale.find_first_of("_.@-");
    const std::string_view language = locale.substr(0, end);
    if (language.empty() || language == "C" || language == "POSIX" || language == "fr")
        return TLanguage::French;
    return TLanguage::English;
}

TLanguage LanguageOfEnvironment(const char* (*getEnv)(const char*))
{
    // The C library's order for messages: LC_ALL, then LC_MESSAGES, then LANG name the locale; LANGUAGE,
    // a list of preferred languages, overrides it unless the locale is "C".
    const char* locale = getEnv("LC_ALL");
    if (Empty(locale))
        locale = getEnv("LC_MESSAGES");
    if (Empty(locale))
        locale = getEnv("LANG");
    const std::string_view name = Empty(locale) ? std::string_view() : std::string_view(locale);
    if (name.empty() || name == "C" || name.starts_with("C.") || name == "POSIX")
        return TLanguage::French;
    const char* preferred = getEnv("LANGUAGE");
    if (!Empty(preferred)) {
        const std::string_view list(preferred);
        return LanguageOfLocale(list.substr(0, list.find(':')));
    }
    return LanguageOfLocale(name);
}

TLanguage SystemLanguage()
{
    return LanguageOfEnvironment([](const char* name) -> const char* { return std::getenv(name); });
}

TLanguage ChosenLanguage(int choice)
{
    switch (choice) {
    case 1:
        return TLanguage::French;
    case 2:
        return TLanguage::English;
    default:
        return SystemLanguage();
    }
}

TLanguage CurrentLanguage()
{
    return g_language.load(std::memory_order_acquire);
}

void SetCurrentLanguage(TLanguage language)
{
    g_language.store(language, std::memory_order_release);
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
