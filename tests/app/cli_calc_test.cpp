// The calc command of the headless tool, run as a user would run it.
#include "support/run_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Single quotes keep the shell away from ";", "(", "*" and "^".
kinoval::test::TCommandRun RunCalc(const std::string& arguments)
{
    return kinoval::test::RunShell(std::string("LC_ALL=C.UTF-8 ") + KINOVAL_CLI_PATH + " calc " + arguments + " 2>&1");
}

TEST(CliCalc, PrintsValuesInGeneralNotation)
{
    EXPECT_EQ(RunCalc("'1/3'").output, "0.333333333333333\n");
    EXPECT_EQ(RunCalc("'ArcTan(1;1)'").output, "0.785398163397448\n");
    const auto degrees = RunCalc("--degrees 'ArcTan(1;1)'");
    EXPECT_EQ(degrees.output, "45\n");
    EXPECT_EQ(degrees.status, 0);
    EXPECT_EQ(RunCalc("'2*-3'").output, "-6\n");
    EXPECT_EQ(RunCalc("'1e20*3'").output, "3E20\n");
    EXPECT_EQ(RunCalc("'1.5+1'").output, "2.5\n"); // the locale's separator is the point here
}

TEST(CliCalc, ReportsTheParserMessageAndFails)
{
    const auto separator = RunCalc("'2+3;4'");
    EXPECT_EQ(separator.output,
        "Utiliser le point virgule pour séparer les deux variables d'une fonction. Exemple : ArcTan(x;y).\n");
    EXPECT_NE(separator.status, 0);
    const auto unknown = RunCalc("'x+1'");
    EXPECT_EQ(unknown.output, "La formule contient une variable ou une constante inconnue : x\n");
    EXPECT_NE(unknown.status, 0);
    const auto empty = RunCalc("''");
    EXPECT_EQ(empty.output, "La formule est vide.\n");
    EXPECT_NE(empty.status, 0);
    const auto notANumber = RunCalc("'sqrt(0-1)'");
    EXPECT_EQ(notANumber.output, "#Nombre!\n");
    EXPECT_NE(notANumber.status, 0);
    EXPECT_EQ(RunCalc("").status, 2);
    EXPECT_EQ(RunCalc("--degrees").status, 2);
}

} // namespace
