// kinoval-cli fit, run as the user runs it, on files written here.
#include "support/run_command.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

// The standard output alone: the statistics and the parameters, not the warnings.
kinoval::test::TCommandRun RunCli(const std::string& arguments)
{
    return kinoval::test::RunShell(std::string(KINOVAL_CLI_PATH) + " " + arguments + " 2>/dev/null");
}

TEST(CliFit, AffineOnALineWithHeaderAndCommaDecimals)
{
    kinoval::test::TTempDir dir;
    const std::string file = dir.File("line.txt");
    {
        std::ofstream out(file);
        out << "t\tx\n0\t3\n0,5\t4\n1.0 5\n\n1,5   6\n2 7\n";
    }
    const auto run = RunCli("fit affine " + file);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("Modèle: y = r + b.t\nr = 3.000\nb = 2.000\nIncertitudes sur les ordonnées: \n", 0), 0u)
        << run.output;
    EXPECT_NE(run.output.find("- coefficient de corrélation = 1.00000\n"), std::string::npos) << run.output;
}

TEST(CliFit, EveryModelNameIsKnown)
{
    kinoval::test::TTempDir dir;
    const std::string file = dir.File("wave.txt");
    {
        std::ofstream out(file);
        for (int i = 0; i < 100; ++i)
            out << i * 0.1 << " " << 1 + std::sin(2 * i * 0.1) << "\n";
    }
    for (const char* model :
        { "affine", "constant", "proportional", "parabola", "exponential", "sinus", "sinus-exp", "sinus-lin" }) {
        const auto run = RunCli(std::string("fit ") + model + " " + file);
        EXPECT_EQ(run.status, 0) << model;
        EXPECT_EQ(run.output.rfind("Modèle: y", 0), 0u) << model;
        EXPECT_NE(run.output.find("- écart quadratique moyen = "), std::string::npos) << model;
    }
    const auto sinus = RunCli("fit sinus " + file);
    EXPECT_NE(sinus.output.find("c = 2.000\n"), std::string::npos) << sinus.output;
}

TEST(CliFit, RefusesBadInvocationsAndUnfittableData)
{
    kinoval::test::TTempDir dir;
    const std::string file = dir.File("one.txt");
    {
        std::ofstream out(file);
        out << "1 2\n";
    }
    EXPECT_EQ(RunCli("fit").status, 2);
    EXPECT_EQ(RunCli("fit cubic " + file).status, 2);
    EXPECT_EQ(RunCli("fit affine " + dir.File("missing.txt")).status, 1);
    const auto one = RunCli("fit affine " + file);
    EXPECT_EQ(one.status, 1);
    EXPECT_TRUE(one.output.empty());
}

kinoval::test::TCommandRun RunCliWithErrors(const std::string& arguments)
{
    return kinoval::test::RunShell(std::string(KINOVAL_CLI_PATH) + " " + arguments + " 2>&1");
}

TEST(CliFit, AModelThePointsCannotDetermineIsRefused)
{
    kinoval::test::TTempDir dir;
    const std::string file = dir.File("two.txt");
    {
        std::ofstream out(file);
        out << "0 1\n1 3\n1 4\n0 1.5\n"; // four points on two abscissae
    }
    EXPECT_EQ(RunCli("fit affine " + file).status, 0);
    for (const char* model : { "parabola", "exponential", "sinus", "sinus-exp", "sinus-lin" }) {
        const auto run = RunCliWithErrors(std::string("fit ") + model + " " + file);
        EXPECT_EQ(run.status, 1) << model;
        EXPECT_NE(run.output.find("il faut au moins autant d'abscisses différentes, les points n'en ont que 2"),
            std::string::npos)
            << run.output;
        EXPECT_EQ(run.output.find("Modèle"), std::string::npos) << run.output;
    }
}

TEST(CliFit, StatisticsThatCannotBeComputedSaySo)
{
    kinoval::test::TTempDir dir;
    const std::string file = dir.File("zeros.txt");
    {
        std::ofstream out(file);
        out << "0 0\n1 0\n2 0\n3 0\n";
    }
    // All ordinates zero: the relative precision divides by nothing. It is missing, not -100 %.
    const auto run = RunCli("fit affine " + file);
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("- précision relative = #Nombre!\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("- écart quadratique moyen = 0\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("-100"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("-1\n"), std::string::npos) << run.output;
}

TEST(CliFit, OnlyRegularFilesAreRead)
{
    kinoval::test::TTempDir dir;
    const std::string fifo = dir.File("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : { fifo, std::string("/dev/zero"), dir.Path().string() }) {
        const auto run = RunCliWithErrors("fit affine '" + path + "'");
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_NE(run.output.find("impossible de lire"), std::string::npos) << run.output;
    }
    const std::string junk = dir.File("junk.txt");
    {
        std::ofstream out(junk);
        for (int i = 0; i < 500; ++i)
            out << "x y\n";
        out << "0 1\n1 2\n\x1b[31m 3\n";
    }
    const auto run = RunCliWithErrors("fit affine " + junk);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("491 autres lignes ignorées"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos);
}

} // namespace
