#include "core/montage/record_montage.h"

#include "core/common/bmp_file.h"
#include "core/common/ini_file.h"
#include "core/montage/montage.h"
#include "core/montage/record_plan.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kinoval::test {
namespace {

using namespace montage;

// A frame whose every pixel tells its raw number, so that a written frame names its source.
TRgbImage NumberedFrame(int raw, int width = 8, int height = 6)
{
    TRgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.At(x, y);
            p[0] = static_cast<std::uint8_t>(raw * 10);
            p[1] = static_cast<std::uint8_t>(x * 20);
            p[2] = static_cast<std::uint8_t>(y * 30);
        }
    return image;
}

// Records what a writer was given.
class TMemoryWriter : public TMovieWriter {
public:
    std::vector<std::string> CodecNames() const override { return { kNoCodec }; }
    int Open(const TMovieSpec& s) override
    {
        movie = s;
        opened = true;
        return failOpen;
    }
    int AddFrame(const TRgbImage& frame) override
    {
        if (failAt >= 0 && static_cast<int>(frames.size()) == failAt)
            return reWriteFrame;
        frames.push_back(frame);
        return reOk;
    }
    int Close(bool c) override
    {
        closed = true;
        complete = c;
        return reOk;
    }
    std::string ErrorText() const override { return RecordErrorText(failOpen != 0 ? failOpen : reWriteFrame); }

    TMovieSpec movie;
    std::vector<TRgbImage> frames;
    bool opened = false, closed = false, complete = false;
    int failOpen = reOk;
    int failAt = -1;
};

class RecordPlanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.hooks.videoOpen = [] { return true; };
        m.hooks.currentRawFrame = [this] { return current; };
        m.hooks.explainHiding = [] { return false; };
        m.InitMontage(10);
    }
    TScriptedUserDlg dlg;
    TMontage m { dlg };
    int current = 0;
};

TEST_F(RecordPlanTest, HiddenFramesAreLeftOutAndMissingOnesBecomeBlankFramesWhenAsked)
{
    ASSERT_TRUE(m.SetFrameVisible(4, false));
    // Raw 0..9 with frame 4 hidden and no blank frames: 9 frames, in order, without 4.
    EXPECT_EQ(RecordSteps(m, false), (std::vector<int> { 0, 1, 2, 3, 5, 6, 7, 8, 9 }));
    // Hiding takes no time: there is nothing missing, so blank frames add nothing either.
    EXPECT_EQ(RecordSteps(m, true), RecordSteps(m, false));

    // One frame declared missing before raw frame 6: with blank frames, one silver frame before it.
    current = 6;
    ASSERT_TRUE(m.ShiftInstant(1));
    EXPECT_EQ(RecordSteps(m, false), (std::vector<int> { 0, 1, 2, 3, 5, 6, 7, 8, 9 }));
    EXPECT_EQ(RecordSteps(m, true), (std::vector<int> { 0, 1, 2, 3, 5, kBlankStep, 6, 7, 8, 9 }));
    current = 8;
    ASSERT_TRUE(m.ShiftInstant(2));
    EXPECT_EQ(
        RecordSteps(m, true), (std::vector<int> { 0, 1, 2, 3, 5, kBlankStep, 6, 7, kBlankStep, kBlankStep, 8, 9 }));
}

TEST_F(RecordPlanTest, BlocksFollowTheVisibleRunsAndSplitAtMissingFrames)
{
    // Every frame visible: one block holding all ten, the last one included.
    EXPECT_EQ(MontageBlocks(m), (std::vector<TBlocSource> { { 0, 10, 0 } }));
    ASSERT_TRUE(m.SetFrameVisible(4, false));
    EXPECT_EQ(MontageBlocks(m), (std::vector<TBlocSource> { { 0, 4, 0 }, { 5, 10, -1 } }));
    current = 7;
    ASSERT_TRUE(m.ShiftInstant(2));
    // Frame 7 now comes two periods later: its block is split there and placed with its own offset.
    EXPECT_EQ(MontageBlocks(m), (std::vector<TBlocSource> { { 0, 4, 0 }, { 5, 7, -1 }, { 7, 10, 1 } }));
}

TEST(RecordNames, PicturesAreNumberedWithTheDigitsOfTheirCount)
{
    EXPECT_EQ(PaddedNumber(0, 250), "000");
    EXPECT_EQ(PaddedNumber(249, 250), "249");
    EXPECT_EQ(PaddedNumber(0, 9), "0");
    EXPECT_EQ(PaddedNumber(8, 9), "8");
    EXPECT_EQ(PaddedNumber(9, 10), "09");
    EXPECT_EQ(PictureFileName("/tmp/Balle", 7, 100, TPictureFormat::Png), "/tmp/Balle_007.png");
    EXPECT_EQ(PictureFileName("/tmp/Balle", 7, 100, TPictureFormat::Bmp), "/tmp/Balle_007.bmp");
    EXPECT_EQ(PictureFormatOf("a/Images.BMP"), TPictureFormat::Bmp);
    EXPECT_EQ(PictureFormatOf("a/Images.png"), TPictureFormat::Png);
    EXPECT_EQ(PictureFormatOf("a/Images"), TPictureFormat::Png);
    EXPECT_EQ(PictureBaseName("a/Images.Png"), "a/Images");
    EXPECT_EQ(PictureBaseName("a/Images.v1"), "a/Images.v1");
    std::vector<std::string> names { "b/Image_10.png", "b/Image_2.png", "b/Image_1.png", "a/Z.png", "b/Image_02.png" };
    SortPictureNames(names);
    EXPECT_EQ(names,
        (std::vector<std::string> { "a/Z.png", "b/Image_1.png", "b/Image_2.png", "b/Image_02.png", "b/Image_10.png" }));
}

TEST(RecordOptions, SizesTransformsAndSettings)
{
    TRecordOptions o;
    EXPECT_EQ(OutputSize(o, 640, 480).width, 640);
    o.modifyImages = true;
    o.width = 320;
    o.height = 0; // a zero side keeps the source's
    EXPECT_EQ(OutputSize(o, 640, 480).width, 320);
    EXPECT_EQ(OutputSize(o, 640, 480).height, 480);
    o.crop = true;
    o.cropTop = 10;
    o.cropBottom = 20;
    o.cropSides = 100;
    const TFrameSize cut = OutputSize(o, 640, 480);
    EXPECT_EQ(cut.width, 440);
    EXPECT_EQ(cut.height, 450);
    // A tiny source keeps at least one row and one column, whatever is asked.
    EXPECT_GE(OutputSize(o, 3, 3).width, 1);
    EXPECT_GE(OutputSize(o, 3, 3).height, 1);

    // The crop takes the pixels at (left, top).
    TRgbImage source = NumberedFrame(1, 8, 6);
    o.cropTop = 1;
    o.cropBottom = 2;
    o.cropSides = 2;
    const TRgbImage cropped = TransformFrame(o, source);
    ASSERT_EQ(cropped.width, 4);
    ASSERT_EQ(cropped.height, 3);
    EXPECT_EQ(cropped.At(0, 0)[1], source.At(2, 1)[1]);
    EXPECT_EQ(cropped.At(0, 0)[2], source.At(2, 1)[2]);
    // Stretching a flat picture keeps it flat; doubling keeps the corners.
    o.crop = false;
    o.width = 16;
    o.height = 12;
    const TRgbImage big = TransformFrame(o, source);
    EXPECT_EQ(big.width, 16);
    EXPECT_EQ(big.At(0, 0)[0], 10);
    EXPECT_EQ(big.At(15, 11)[1], source.At(7, 5)[1]);

    TIniFile ini;
    TRecordOptions saved;
    saved.framework = fwFFmpeg;
    saved.codec = "FFMpeg internal MPEG4 codec";
    saved.Save(ini);
    EXPECT_EQ(ini.ReadInt("Montage", "Framework", -1), 2);
    TRecordOptions read;
    read.Load(ini);
    EXPECT_EQ(read.framework, fwFFmpeg);
    EXPECT_EQ(read.codec, "FFMpeg internal MPEG4 codec");
    ini.WriteInteger("Montage", "Framework", 7);
    read.Load(ini);
    EXPECT_EQ(read.framework, fwAvi);

    TSummaryFacts facts { 9, 25, { 320, 240 }, false, TPictureFormat::Png };
    const auto lines = SummaryLines(read, facts);
    EXPECT_EQ(lines[0], "Nombre total d'images : 9");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Conteneur vidéo : AVI"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Images manquantes : ne rien faire"), lines.end());
    facts.pictures = true;
    facts.format = TPictureFormat::Bmp;
    const auto pictureLines = SummaryLines(read, facts);
    EXPECT_NE(std::find(pictureLines.begin(), pictureLines.end(), "Format des images : BMP"), pictureLines.end());
}

TEST(RecordRates, CommonRatesAreExactFractions)
{
    EXPECT_EQ(RateFraction(25).numerator, 25u);
    EXPECT_EQ(RateFraction(25).denominator, 1u);
    EXPECT_EQ(RateFraction(30000.0 / 1001).numerator, 30000u);
    EXPECT_EQ(RateFraction(30000.0 / 1001).denominator, 1001u);
    EXPECT_EQ(RateFraction(12.5).numerator, 25u);
    EXPECT_EQ(RateFraction(12.5).denominator, 2u);
    EXPECT_EQ(RateFraction(0).numerator, 25u); // not a rate: the default
}

TEST(RecordJob, WritesTheStepsBlankFramesAndStopsWhenCancelled)
{
    TRecordMontage job;
    TMemoryWriter writer;
    TRecordOptions o;
    const auto frames = [](int raw, TRgbImage& f) {
        f = NumberedFrame(raw);
        return true;
    };
    ASSERT_EQ(job.RecordVideo(writer, { "x.avi" }, o, { 0, 2, kBlankStep, 5 }, 8, 6, frames), reOk);
    ASSERT_EQ(writer.frames.size(), 4u);
    EXPECT_EQ(writer.frames[1].At(0, 0)[0], 20);
    EXPECT_EQ(writer.frames[2].At(3, 3)[0], kBlankGrey);
    EXPECT_EQ(writer.frames[2].At(3, 3)[2], kBlankGrey);
    EXPECT_EQ(writer.frames[3].At(0, 0)[0], 50);
    EXPECT_EQ(writer.movie.width, 8);
    EXPECT_TRUE(writer.complete);
    EXPECT_FALSE(job.IsRecording());

    // The player stopped during the second frame: the job ends after it, the file is dropped, the text says why.
    TMemoryWriter second;
    job.OnProgress = [&job](int done, int) {
        EXPECT_TRUE(job.IsRecording());
        if (done == 2)
            job.Cancel(rePlayerStopped);
    };
    EXPECT_EQ(job.RecordVideo(second, { "y.avi" }, o, { 0, 1, 2, 3 }, 8, 6, frames), rePlayerStopped);
    EXPECT_EQ(second.frames.size(), 2u);
    EXPECT_FALSE(second.complete);
    EXPECT_EQ(job.ErrorText(), "La lecture de la vidéo a été interrompue.");
    job.OnProgress = nullptr;

    // A writer's failure ends the job at that frame with the writer's text; an undecodable frame is "abîmée".
    TMemoryWriter third;
    third.failAt = 1;
    EXPECT_EQ(job.RecordVideo(third, { "z.avi" }, o, { 0, 1, 2 }, 8, 6, frames), reWriteFrame);
    EXPECT_EQ(job.ErrorText(), "Une image n'a pu être insérée dans le flux vidéo");
    EXPECT_FALSE(third.complete);
    TMemoryWriter fourth;
    EXPECT_EQ(job.RecordVideo(fourth, { "w.avi" }, o, { 0 }, 8, 6, [](int, TRgbImage&) { return false; }), reBadFrame);
    EXPECT_EQ(job.ErrorText(), "Une image est abîmée");
    EXPECT_TRUE(fourth.closed);
    EXPECT_FALSE(fourth.complete);
}

TEST(RecordJob, FramesToBitmapsAndBack)
{
    TTempDir dir;
    TRecordMontage job;
    TRecordOptions o;
    std::vector<int> raws;
    for (int i = 0; i < 10; ++i)
        raws.push_back(i);
    const std::string base = dir.File("Images");
    int progress = 0;
    job.OnProgress = [&progress](int done, int total) {
        EXPECT_EQ(total, 10);
        progress = done;
    };
    ASSERT_EQ(job.FramesToPictures(base, TPictureFormat::Bmp, o, raws,
                  [](int raw, TRgbImage& f) {
                      f = NumberedFrame(raw, 7, 5); // odd width: rows are padded in the file
                      return true;
                  }),
        reOk);
    EXPECT_EQ(progress, 10);
    ASSERT_EQ(job.WrittenFiles().size(), 10u);
    EXPECT_EQ(job.WrittenFiles()[3], base + "_03.bmp");
    TRgbImage back;
    ASSERT_TRUE(ReadBmp(base + "_03.bmp", back));
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.pixels, NumberedFrame(3, 7, 5).pixels);

    // The pictures assembled again: one frame each, in the order chosen.
    TMemoryWriter writer;
    job.OnProgress = nullptr;
    std::vector<std::string> chosen { base + "_05.bmp", base + "_01.bmp" };
    ASSERT_EQ(job.PicturesToVideo(writer, { dir.File("a.avi"), 0, 0, 12.5 }, o, chosen, {}), reOk);
    ASSERT_EQ(writer.frames.size(), 2u);
    EXPECT_EQ(writer.frames[0].pixels, NumberedFrame(5, 7, 5).pixels);
    EXPECT_EQ(writer.movie.width, 7);
    EXPECT_DOUBLE_EQ(writer.movie.framesPerSecond, 12.5);
    // A picture that is not one: the job names it, the file is dropped.
    TMemoryWriter broken;
    chosen.push_back(dir.File("absent.bmp"));
    EXPECT_EQ(job.PicturesToVideo(broken, { dir.File("b.avi") }, o, chosen, {}), reBadFrame);
    EXPECT_NE(job.ErrorText().find("absent.bmp"), std::string::npos);
    EXPECT_FALSE(broken.complete);

    // A picture that cannot be written (its folder is missing) stops the job and says which.
    EXPECT_EQ(job.FramesToPictures(dir.File("no/such"), TPictureFormat::Png, o, raws,
                  [](int raw, TRgbImage& f) {
                      f = NumberedFrame(raw);
                      return true;
                  }),
        rePicture);
    EXPECT_NE(job.ErrorText().find("no/such_00.png"), std::string::npos);
}

TEST(BmpFile, RefusesWhatIsNotAnUncompressedBitmap)
{
    TRgbImage image;
    std::vector<std::uint8_t> data = EncodeBmp(NumberedFrame(2, 3, 2));
    ASSERT_TRUE(DecodeBmp(data.data(), data.size(), image));
    EXPECT_EQ(image.pixels, NumberedFrame(2, 3, 2).pixels);
    // Cut short, a huge declared width, a compressed bitmap: refused, the image untouched.
    TRgbImage untouched;
    EXPECT_FALSE(DecodeBmp(data.data(), data.size() - 4, untouched));
    auto wide = data;
    wide[21] = 0x7F;
    EXPECT_FALSE(DecodeBmp(wide.data(), wide.size(), untouched));
    auto packed = data;
    packed[30] = 1;
    EXPECT_FALSE(DecodeBmp(packed.data(), packed.size(), untouched));
    EXPECT_TRUE(untouched.IsEmpty());
    EXPECT_FALSE(ReadBmp("/dev/zero", untouched));
}

} // namespace
} // namespace kinoval::test
