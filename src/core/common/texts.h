#pragma once
// The string table. Every text shown to the user passes through Tr, whose key is the French text itself:
// French is the program's own language, and another language is a catalogue that the composition root
// installs at start (SetTranslator) with the English of each French text. Without one, or for a text the
// catalogue lacks, Tr answers the French.
//
// What is stored or parsed back (file keys, section names, settings keys, command-line options, the texts a
// study keeps) never goes through Tr, so that a study or a settings file reads the same in every language.
//
// A text kept in a table and translated where it is shown is written TrNoop("..."), so that the catalogue's
// extraction (scripts/update_translations.sh) finds it.

#include <initializer_list>
#include <string>
#include <string_view>

namespace kinoval {

std::string Tr(std::string_view french);
// The same for a French text with two senses that another language tells apart: meaning names the sense
// ("undo": "Annuler" as Undo, not as the Cancel of a dialog).
std::string Tr(std::string_view french, std::string_view meaning);

// Marks a French text for the catalogue without translating it here; Tr() translates it where it is shown.
constexpr const char* TrNoop(const char* french)
{
    return french;
}

// The catalogue's look-up: the translation of a French text in a sense (empty: its usual one), or an empty
// text when it has none. Installed once at start, before any window or thread speaks; nullptr goes back
// to French.
using TTranslator = std::string (*)(std::string_view french, std::string_view meaning);
void SetTranslator(TTranslator translator);

// The languages the program speaks.
enum class TLanguage { French, English };

// The language of the user's locale name ("fr_FR.UTF-8", "en_GB", "de", "C"): French for French, and for a
// locale that names no language ("C", "POSIX", nothing), since French is the program's own; English, the
// other catalogue, for every other language.
TLanguage LanguageOfLocale(std::string_view locale);

// The language of the environment's messages, as the C library reads it: LANGUAGE's first entry when the
// locale is set, then LC_ALL, LC_MESSAGES and LANG.
TLanguage LanguageOfEnvironment(const char* (*getEnv)(const char*));
TLanguage SystemLanguage();

// The language of the settings' choice: 0 the system's, 1 French, 2 English.
TLanguage ChosenLanguage(int choice);

// The language the catalogue speaks now (French until a translator is installed for another one).
TLanguage CurrentLanguage();
void SetCurrentLanguage(TLanguage language);

// Replaces printf-style "%d", "%u", "%s" and "%f"-free placeholders in order by the given arguments' texts;
// "%%" stands for one "%". Used for the string table's messages with numbers in them.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args);

} // namespace kinoval
