// The string table's catalogue and the choice of the language: what Tr answers with and without a
// catalogue, and which language a locale, the environment and the settings' choice give.
#include "core/common/texts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kinoval {
namespace {

std::string Catalogue(std::string_view french, std::string_view meaning)
{
    static const std::map<std::pair<std::string, std::string>, std::string> english
        = { { { "Vitesse", "" }, "Velocity" }, { { "Repère", "" }, "Frame of reference" },
              { { "%s de %s à %s", "" }, "%s from %s to %s" }, { { "Annuler", "" }, "Cancel" },
              { { "Annuler", "undo" }, "Undo" } };
    const auto found = english.find({ std::string(french), std::string(meaning) });
    return found == english.end() ? std::string() : found->second;
}

class TextsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetTranslator(nullptr);
        SetCurrentLanguage(TLanguage::French);
    }
};

TEST_F(TextsTest, TrAnswersTheCatalogueAndFallsBackToTheFrench)
{
    EXPECT_EQ(Tr("Vitesse"), "Vitesse"); // no catalogue: French
    SetTranslator(&Catalogue);
    EXPECT_EQ(Tr("Vitesse"), "Velocity");
    EXPECT_EQ(Tr("Repère"), "Frame of reference");
    EXPECT_EQ(Tr("Accélération"), "Accélération"); // a text the catalogue lacks
    EXPECT_EQ(Tr(""), "");
    EXPECT_EQ(FormatText(Tr("%s de %s à %s"), { "x", "0", "1" }), "x from 0 to 1");
    // A table keeps the French; it is translated where it is shown.
    static constexpr const char* kCaption = TrNoop("Repère");
    EXPECT_STREQ(kCaption, "Repère");
    EXPECT_EQ(Tr(kCaption), "Frame of reference");
    // One French text, two English ones told apart by their meaning.
    EXPECT_EQ(Tr("Annuler"), "Cancel");
    EXPECT_EQ(Tr("Annuler", "undo"), "Undo");
    EXPECT_EQ(Tr("Vitesse", "undo"), "Vitesse"); // a sense the catalogue lacks stays French
    SetTranslator(nullptr);
    EXPECT_EQ(Tr("Vitesse"), "Vitesse");
}

TEST_F(TextsTest, ALocaleGivesFrenchForFrenchAndForNoLanguageAndEnglishForAnyOther)
{
    for (const char* french : { "fr", "fr_FR.UTF-8", "fr_CA", "fr_BE@euro", "C", "C.UTF-8", "POSIX", "" })
        EXPECT_EQ(LanguageOfLocale(french), TLanguage::French) << french;
    for (const char* english : { "en_GB.UTF-8", "en", "en_US", "de_DE.UTF-8", "es", "cs_CZ", "frisian" })
        EXPECT_EQ(LanguageOfLocale(english), TLanguage::English) << english;
}

TEST_F(TextsTest, TheEnvironmentIsReadInTheCLibrarysOrder)
{
    static std::map<std::string, std::string> env;
    auto read = [](const char* name) -> const char* {
        const auto found = env.find(name);
        return found == env.end() ? nullptr : found->second.c_str();
    };
    env = {};
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::French); // nothing set
    env = { { "LANG", "en_GB.UTF-8" } };
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::English);
    env = { { "LANG", "en_GB.UTF-8" }, { "LC_MESSAGES", "fr_FR.UTF-8" } };
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::French);
    env = { { "LANG", "fr_FR.UTF-8" }, { "LC_MESSAGES", "fr_FR.UTF-8" }, { "LC_ALL", "en_US.UTF-8" } };
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::English);
    env = { { "LANG", "fr_FR.UTF-8" }, { "LC_ALL", "" } }; // an empty variable counts as unset
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::French);
    // LANGUAGE, a list of preferences, comes first, but not over the "C" locale.
    env = { { "LANG", "fr_FR.UTF-8" }, { "LANGUAGE", "en_GB:fr" } };
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::English);
    env = { { "LANG", "en_GB.UTF-8" }, { "LANGUAGE", "fr:en" } };
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::French);
    env = { { "LC_ALL", "C.UTF-8" }, { "LANGUAGE", "en_GB" } };
    EXPECT_EQ(LanguageOfEnvironment(read), TLanguage::French);
}

TEST_F(TextsTest, TheSettingsChoiceOverridesTheSystem)
{
    EXPECT_EQ(ChosenLanguage(1), TLanguage::French);
    EXPECT_EQ(ChosenLanguage(2), TLanguage::English);
    EXPECT_EQ(ChosenLanguage(0), SystemLanguage());
}

} // namespace
} // namespace kinoval
