// Tracking end to end: the two samples rendered by the sample generator, tracked by kinoval-cli with each
// method from an outline drawn around the object on its first frame, compared with the ground truth
// written beside them, and g measured from the positions.
#include "core/modelling/least_squares.h"
#include "support/run_command.h"
#include "support/sample_truth.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TRun = kinoval::test::TCommandRun;

TRun RunShell(const std::string& command)
{
    return kinoval::test::RunShell(command + " 2>&1");
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

// One sample tracked by one method from a circle outline around the object of its first frame, drawn a
// few pixels wider than the object as a user would. Prints and checks the RMS distance to the ground
// truth; answers the tracked times and picture positions.
struct TSampleRun {
    std::vector<double> t, x, y;
    double rms = 1e9;
    int frames = 0;
};

TSampleRun TrackSample(
    const std::string& dir, const std::string& name, const std::string& method, int radius, double outlineRadius)
{
    TSampleRun result;
    const kinoval::test::TSampleTruth truth = kinoval::test::ReadSampleTruth(dir + "/" + name + ".txt");
    const double W = truth.values.at("width"), H = truth.values.at("height");
    // The program places a pixel's position at its index (pixel i at i / width), the ground truth at the
    // middle of the pixel (pixel i covers [i, i + 1)): a true centre c is the program's c - 0.5.
    const double cx = truth.rows.at(0).xPixel - 0.5, cy = truth.rows.at(0).yPixel - 0.5;
    std::ostringstream outline;
    outline.precision(10);
    for (int k = 0; k < 24; ++k) {
        const double a = 2 * std::acos(-1.0) * k / 24;
        outline << (k ? " " : "") << (cx + outlineRadius * std::cos(a)) / W << ","
                << (cy + outlineRadius * std::sin(a)) / H;
    }
    const TRun run = RunShell(Cli() + "'" + dir + "/" + name + ".avi' --outline '" + outline.str()
        + "' --first 0 --radius " + std::to_string(radius) + " --method " + method);
    EXPECT_EQ(run.status, 0) << run.output;
    std::istringstream lines(run.output);
    double squares = 0;
    int frame = 0;
    double x = 0, y = 0;
    while (lines >> frame >> x >> y) {
        EXPECT_GE(frame, 0);
        EXPECT_LT(frame, static_cast<int>(truth.rows.size()));
        if (frame < 0 || frame >= static_cast<int>(truth.rows.size()))
            break;
        const TTruthRow& row = truth.rows[static_cast<std::size_t>(frame)];
        const double px = x * W + 0.5, py = y * H + 0.5;
        squares += (px - row.xPixel) * (px - row.xPixel) + (py - row.yPixel) * (py - row.yPixel);
        ++result.frames;
        result.t.push_back(row.t);
        result.x.push_back(px);
        result.y.push_back(py);
    }
    EXPECT_EQ(result.frames, static_cast<int>(truth.rows.size())) << run.output;
    if (result.frames > 0)
        result.rms = std::sqrt(squares / result.frames);
    std::printf("%s, %s, radius %d: RMS error %.3f px over %d frames\n", name.c_str(), method.c_str(), radius,
        result.rms, result.frames);
    EXPECT_LE(result.rms, 1.5);
    return result;
}

// Twice the quadratic coefficient of a coordinate against time, in pixels per second squared.
double Acceleration(const std::vector<double>& t, const std::vector<double>& v)
{
    kinoval::modelling::TPolynomialFit fit;
    EXPECT_EQ(kinoval::modelling::PolynomialFit(0, 3, t, v, fit), kinoval::modelling::kFitOk);
    return fit.coefficients.size() > 2 ? 2 * fit.coefficients[2] : 0;
}

class SampleAccuracy : public ProjectileSample, public ::testing::WithParamInterface<const char*> { };

TEST_P(SampleAccuracy, TheThrownBallStaysOnItsCourseAndGivesG)
{
    ASSERT_TRUE(s_generated);
    double W = 0, H = 0, ppm = 0, g = 0;
    ASSERT_GE(Truth(W, H, ppm, g).size(), 10u);
    // The ball moves by up to 58 pixels a frame: the default radius of 40 holds on its course, as the
    // largest does.
    for (int radius : { 40, 100 }) {
        const TSampleRun run = TrackSample(s_dir->Path().string(), "parabole", GetParam(), radius, 16);
        const double measuredG = Acceleration(run.t, run.y) / ppm; // picture y grows downward
        std::printf("g from the tracked heights %.4f m/s^2 (true %.4f)\n", measuredG, g);
        EXPECT_NEAR(measuredG, g, 0.01 * g);
    }
}

TEST_P(SampleAccuracy, TheRollingCylinderGivesGFromItsSlope)
{
    ASSERT_TRUE(s_generated);
    const kinoval::test::TSampleTruth truth = kinoval::test::ReadSampleTruth(s_dir->Path().string() + "/cylindre.txt");
    ASSERT_FALSE(truth.rows.empty());
    const double ppm = truth.values.at("pixels_per_metre"), g = truth.values.at("g");
    const double angle = truth.values.at("incline_angle_deg") * std::acos(-1.0) / 180;
    const double radius = truth.values.at("cylinder_radius_m") * ppm;
    const TSampleRun run = TrackSample(s_dir->Path().string(), "cylindre", GetParam(), 40, radius + 4);
    // Along the slope (down to the right on the picture); a solid cylinder rolling without slipping
    // accelerates at 2/3 g sin(angle).
    std::vector<double> along;
    for (std::size_t k = 0; k < run.x.size(); ++k)
        along.push_back(run.x[k] * std::cos(angle) + run.y[k] * std::sin(angle));
    const double measuredG = 1.5 * Acceleration(run.t, along) / ppm / std::sin(angle);
    std::printf("g from the rolling cylinder %.4f m/s^2 (true %.4f)\n", measuredG, g);
    EXPECT_NEAR(measuredG, g, 0.01 * g);
}

INSTANTIATE_TEST_SUITE_P(BothMethods, SampleAccuracy, ::testing::Values("meanshift", "template"),
    [](const ::testing::TestParamInfo<const char*>& param) { return std::string(param.param); });

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
