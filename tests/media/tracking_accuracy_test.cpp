// Tracking end to end: the projectile sample rendered by the sample generator, tracked by kinoval-cli from
// an outline drawn around the ball on its first frame, compared with the ground truth written beside it.
#include "core/modelling/least_squares.h"
#include "support/sample_truth.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct TRun {
    int status = -1;
    std::string output;
};

TRun RunShell(const std::string& command)
{
    TRun result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Cli()
{
    return std::string("'") + KINOVAL_CLI_PATH + "' track ";
}

using TTruthRow = kinoval::test::TSampleTruth::TRow;

#ifdef KINOVAL_SAMPLEGEN_PATH
class ProjectileSample : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new kinoval::test::TTempDir();
        s_generated
            = RunShell(std::string("'") + KINOVAL_SAMPLEGEN_PATH + "' '" + s_dir->Path().string() + "'").status == 0;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static std::string Video() { return "'" + s_dir->Path().string() + "/parabole.avi'"; }
    static std::vector<TTruthRow> Truth(double& width, double& height, double& ppm, double& g)
    {
        const kinoval::test::TSampleTruth truth
            = kinoval::test::ReadSampleTruth(s_dir->Path().string() + "/parabole.txt");
        const auto value = [&truth](const char* key) {
            const auto it = truth.values.find(key);
            return it == truth.values.end() ? 0.0 : it->second;
        };
        width = value("width");
        height = value("height");
        ppm = value("pixels_per_metre");
        g = value("g");
        return truth.rows;
    }
    static kinoval::test::TTempDir* s_dir;
    static bool s_generated;
};

kinoval::test::TTempDir* ProjectileSample::s_dir = nullptr;
bool ProjectileSample::s_generated = false;

TEST_F(ProjectileSample, BallStaysOnItsTrueCourseAndGivesG)
{
    ASSERT_TRUE(s_generated);
    double W = 0, H = 0, ppm = 0, g = 0;
    const std::vector<TTruthRow> truth = Truth(W, H, ppm, g);
    ASSERT_GE(truth.size(), 10u);
    ASSERT_GT(W, 0);
    ASSERT_GT(ppm, 0);

    // The program places a pixel's position at its index (pixel i at i / width), the ground truth at the
    // middle of the pixel (pixel i covers [i, i + 1)): a true centre c is the program's c - 0.5.
    const double cx = truth[0].xPixel - 0.5, cy = truth[0].yPixel - 0.5;
    // An outline of 24 vertices on a circle of 16 pixels around the ball of the first frame. The ball
    // moves by up to 58 pixels a frame, so the search radius is the largest.
    std::ostringstream outline;
    outline.precision(10);
    for (int k = 0; k < 24; ++k) {
        const double a = 2 * std::acos(-1.0) * k / 24;
        outline << (k ? " " : "") << (cx + 16 * std::cos(a)) / W << "," << (cy + 16 * std::sin(a)) / H;
    }
    const TRun run = RunShell(Cli() + Video() + " --outline '" + outline.str() + "' --first 0 --radius 100");
    ASSERT_EQ(run.status, 0) << run.output;

    std::istringstream lines(run.output);
    std::vector<double> t, y;
    double squares = 0;
    int n = 0, frame = 0;
    double x = 0, yNorm = 0;
    while (lines >> frame >> x >> yNorm) {
        ASSERT_GE(frame, 0);
        ASSERT_LT(frame, static_cast<int>(truth.size()));
        const double dx = x * W + 0.5 - truth[frame].xPixel, dy = yNorm * H + 0.5 - truth[frame].yPixel;
        squares += dx * dx + dy * dy;
        ++n;
        t.push_back(truth[frame].t);
        y.push_back(yNorm * H);
    }
    ASSERT_EQ(n, static_cast<int>(truth.size())) << run.output;
    const double rms = std::sqrt(squares / n);
    std::printf("tracking RMS error %.3f px over %d frames\n", rms, n);
    EXPECT_LE(rms, 1.5);

    kinoval::modelling::TPolynomialFit fit;
    ASSERT_EQ(kinoval::modelling::PolynomialFit(0, 3, t, y, fit), kinoval::modelling::kFitOk);
    const double measuredG = 2 * fit.coefficients[2] / ppm; // picture y grows downward
    std::printf("g from the tracked heights %.4f m/s^2 (true %.4f)\n", measuredG, g);
    EXPECT_NEAR(measuredG, g, 0.01 * g);
}

TEST_F(ProjectileSample, CliRefusesWhatTheWindowWouldRefuse)
{
    ASSERT_TRUE(s_generated);
    EXPECT_EQ(RunShell(Cli() + Video() + " --first 0").status, 2);
    EXPECT_EQ(RunShell(Cli() + Video() + " --outline '0.1,0.1 0.2' --first 0").status, 2);
    EXPECT_EQ(RunShell(Cli() + Video() + " --outline '0.1,0.1 0.2,0.1 0.2,0.2' --first 0 --step 0").status, 2);
    // Two vertices make no outline.
    TRun r = RunShell(Cli() + Video() + " --outline '0.1,0.1 0.2,0.2' --first 0");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("Dessiner, au préalable, le contour de l'objet à suivre."), std::string::npos);
    r = RunShell(Cli() + Video() + " --outline '0.1,0.7 0.12,0.7 0.12,0.78' --first 25");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.output.find("La séquence débute avec la dernière image de la vidéo (suivi inutile)."), std::string::npos);
    // Step 3 from frame 10 to 20: frames 10, 13, 16, 19.
    r = RunShell(Cli() + Video() + " --outline '0.1,0.7 0.14,0.7 0.14,0.76 0.1,0.76' --first 10 --last 20 --step 3");
    ASSERT_EQ(r.status, 0) << r.output;
    std::istringstream lines(r.output);
    std::vector<int> frames;
    int f;
    double a, b;
    while (lines >> f >> a >> b)
        frames.push_back(f);
    EXPECT_EQ(frames, (std::vector<int> { 10, 13, 16, 19 }));
}
#endif

} // namespace
