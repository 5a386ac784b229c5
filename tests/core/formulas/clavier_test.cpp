// The formula keyboard: its pad, its favourites kept in the settings file, its history.
#include "core/formulas/clavier.h"

#include "core/common/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kinoval::formulas {
namespace {

TEST(Clavier, IndexButtonsAndFunctions)
{
    TClavier keyboard;
    keyboard.Insert("v");
    keyboard.Insert("[i-1]"); // SpeedButtonIMoins1
    EXPECT_EQ(keyboard.Formula().Text(), "v[i-1]");
    keyboard.Formula().Clear();
    keyboard.Inverse = true;
    keyboard.InsertFunction("Cos");
    EXPECT_EQ(keyboard.Formula().Text(), "ArcCos()");
    keyboard.Inverse = false;
    keyboard.InsertFunction("Ln"); // inside the text: the closing parenthesis is the user's
    EXPECT_EQ(keyboard.Formula().Text(), "ArcCos(Ln()");
}

TEST(Clavier, FavouritesOnceEachAndBackAtTheNextStart)
{
    test::TTempDir dir;
    const std::string settings = dir.File("Kinoval.ini");
    // The settings file has other sections, which the favourites leave alone.
    std::ofstream(settings) << "[Options]\nCheckBox3ConfirmationQuit_Checked=0\n[Units]\nUnit0=old\n";
    {
        TClavier keyboard;
        keyboard.LoadFavourites(settings);
        EXPECT_EQ(keyboard.Favourites(TFavourites::Units), (std::vector<std::string> { "old" }));
        EXPECT_TRUE(keyboard.AddFavourite(TFavourites::Units, "J"));
        EXPECT_FALSE(keyboard.AddFavourite(TFavourites::Units, " J ")); // the same unit twice
        EXPECT_FALSE(keyboard.AddFavourite(TFavourites::Units, "   "));
        EXPECT_TRUE(keyboard.AddFavourite(TFavourites::Units, "kg.m/s"));
        keyboard.RemoveFavourite(TFavourites::Units, 0);
        EXPECT_TRUE(keyboard.AddFavourite(TFavourites::Formulas, "Ec = 0.5*m*v^2"));
        EXPECT_TRUE(keyboard.AddFavourite(TFavourites::Comments, "énergie\ncinétique"));
        ASSERT_TRUE(keyboard.SaveFavourites(settings));
    }
    TClavier next;
    next.LoadFavourites(settings);
    EXPECT_EQ(next.Favourites(TFavourites::Units), (std::vector<std::string> { "J", "kg.m/s" }));
    EXPECT_EQ(next.Favourites(TFavourites::Formulas), (std::vector<std::string> { "Ec = 0.5*m*v^2" }));
    EXPECT_EQ(next.Favourites(TFavourites::Comments), (std::vector<std::string> { "énergie cinétique" }));
    TIniFile ini;
    ini.Load(settings);
    EXPECT_EQ(ini.ReadString("Options", "CheckBox3ConfirmationQuit_Checked", ""), "0");
    EXPECT_EQ(ini.ReadString("Units", "Unit1", ""), "kg.m/s");
    EXPECT_FALSE(ini.ValueExists("Units", "Unit2"));
    // Choosing an item puts it in its field.
    next.ChooseFavourite(TFavourites::Units, 1);
    EXPECT_EQ(next.Unit, "kg.m/s");
    next.ChooseFavourite(TFavourites::Formulas, 0);
    EXPECT_EQ(next.Formula().Text(), "Ec = 0.5*m*v^2");
    EXPECT_EQ(next.Formula().Caret(), next.Formula().Length());

    // Reading stops at the first missing key.
    ini.SetText("[Formulae]\nFormula0=a\nFormula1=b\nFormula3=d\n");
    next.ReadFavourites(ini);
    EXPECT_EQ(next.Favourites(TFavourites::Formulas), (std::vector<std::string> { "a", "b" }));
}

TEST(Clavier, ValidatingHandsTheTrimmedFormulaOnAndKeepsItInTheHistory)
{
    TClavier keyboard;
    int handed = 0;
    std::string seen;
    keyboard.OnValidate = [&] {
        ++handed;
        seen = keyboard.Formula().Text();
    };
    keyboard.Typed("  p = m*v  ", 4);
    keyboard.Validate();
    EXPECT_EQ(handed, 1);
    EXPECT_EQ(seen, "p = m*v");
    keyboard.Typed("P = M*V", 7);
    keyboard.Validate();
    EXPECT_EQ(keyboard.History().Entries(), (std::vector<std::string> { "P = M*V" }));
    keyboard.Typed("E", 1);
    keyboard.Previous();
    EXPECT_EQ(keyboard.Formula().Text(), "P = M*V");
    keyboard.Next();
    EXPECT_EQ(keyboard.Formula().Text(), "E");
}

} // namespace
} // namespace kinoval::formulas
