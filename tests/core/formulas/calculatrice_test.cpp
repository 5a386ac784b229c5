// The pocket calculator and the expression field it shares with the formula keyboard.
#include "core/formulas/calculatrice.h"

#include "core/common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::formulas {
namespace {

class Calculatrice : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator(0); }

    // Types a text key by key, as the window passes the keys on.
    void Type(const std::string& keys)
    {
        for (char c : keys)
            calc.Insert(TranslateTypedText(std::string(1, c)));
    }
    const std::string& Shown() const { return calc.Field().Text(); }

    TCalculatrice calc;
};

TEST_F(Calculatrice, TypedSlashDividesAndTheValueShowsWithFifteenDigits)
{
    SetDecimalSeparator('.');
    Type("2/3");
    EXPECT_EQ(Shown(),
        "2\xC3\xB7"
        "3");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "0.666666666666667");
    EXPECT_FALSE(calc.ResultShown());
    // The result is where the next calculation starts.
    Type("*3");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "2");
    calc.ClearAll();
    calc.InsertFunction("Sqrt");
    Type("2");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "1.4142135623731");
}

TEST_F(Calculatrice, SineOfNinetyInEitherAngleUnit)
{
    SetDecimalSeparator(',');
    EXPECT_TRUE(calc.IsRadians()); // the first choice, chosen at creation
    calc.InsertFunction("Sin");
    EXPECT_EQ(Shown(), "Sin()");
    EXPECT_EQ(calc.Field().Caret(), 4); // between the parentheses
    Type("90");
    calc.Evaluate();
    EXPECT_EQ(Shown().substr(0, 5), "0,893");
    calc.SetRadians(false);
    EXPECT_EQ(Shown(), ""); // a new angle choice clears the field
    calc.InsertFunction("Sin");
    Type("90");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "1");
    // The inverse toggle, and a comma typed as a point.
    calc.ClearAll();
    calc.SetInverse(true);
    calc.InsertFunction("Sin");
    Type("0.5");
    EXPECT_EQ(Shown(), "ArcSin(0,5)");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "30");
}

TEST_F(Calculatrice, AnErrorShowsItsMessageAndTheNextKeyStartsAgain)
{
    SetDecimalSeparator('.');
    Type("x+1");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "La formule contient une variable ou une constante inconnue : x");
    EXPECT_TRUE(calc.ResultShown());
    Type("7");
    EXPECT_EQ(Shown(), "7");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "7");
    // A value that is not a number, one too large to use.
    calc.ClearAll();
    Type("Sqrt(0-1)");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "#Nombre!");
    EXPECT_TRUE(calc.ResultShown());
    calc.ClearAll();
    Type("10^200");
    calc.Evaluate();
    EXPECT_EQ(Shown(), "Le résultat d'un calcul est un nombre trop grand ou trop petit.");
}

TEST_F(Calculatrice, HistoryComesBackToWhatWasBeingTyped)
{
    SetDecimalSeparator('.');
    for (const char* e : { "1+1", "2 * 3", "PI" }) {
        calc.Typed(e, 0);
        calc.Evaluate();
    }
    calc.Typed("1+1", 3); // again: it moves to the end, once
    calc.Evaluate();
    EXPECT_EQ(calc.History().Entries(), (std::vector<std::string> { "2*3", "PI", "1+1" }));
    Type("+5");
    calc.Previous();
    EXPECT_EQ(Shown(), "1+1");
    EXPECT_EQ(calc.Field().Caret(), 3);
    calc.Previous();
    calc.Previous();
    calc.Previous(); // not before the first
    EXPECT_EQ(Shown(), "2*3");
    calc.Next();
    calc.Next();
    calc.Next();
    EXPECT_EQ(Shown(), "2+5"); // the field before browsing: the last result with "+5"
    calc.Next();
    EXPECT_EQ(Shown(), "2+5");
    // Blank text is not evaluated.
    calc.Typed("   ", 3);
    calc.Evaluate();
    EXPECT_EQ(calc.History().Entries().size(), 3u);
}

TEST(FormulaField, PadInsertsAtTheCaret)
{
    TFormulaField field;
    field.Insert("v");
    field.Insert("[i-1]");
    EXPECT_EQ(field.Text(), "v[i-1]");
    field.Home();
    field.InsertFunction("Abs"); // not at the end: no closing parenthesis
    EXPECT_EQ(field.Text(), "Abs(v[i-1]");
    EXPECT_EQ(field.Caret(), 4);
    field.End();
    field.Insert(")\xC3\xB7"
                 "2");
    field.Left();
    field.Backspace(); // the division sign, one character of two bytes
    EXPECT_EQ(field.Text(), "Abs(v[i-1])2");
    EXPECT_EQ(field.Length(), 12);
    field.SetCaret(99);
    EXPECT_EQ(field.Caret(), 12);
    field.InsertFunction("10^");
    EXPECT_EQ(field.Text(), "Abs(v[i-1])210^()");
    EXPECT_EQ(field.Caret(), 16);
}

} // namespace
} // namespace kinoval::formulas
