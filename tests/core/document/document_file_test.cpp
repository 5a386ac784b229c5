#include "document_fixture.h"

#include "core/common/numbers.h"

#include <map>
#include <numbers>

namespace kinoval::test {
namespace {

// A section held in memory, keys in writing order kept for the order checks.
class TMapKeys : public document::TProjectKeys {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> order;
    std::optional<std::string> Read(std::string_view key) const override
    {
        auto it = values.find(std::string(key));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::size_t KeyCount() const override { return values.size(); }
    void Write(std::string_view key, const std::string& value) override
    {
        if (values.emplace(std::string(key), value).second)
            order.emplace_back(key);
        else
            values[std::string(key)] = value;
    }
    int IndexOf(const std::string& key) const
    {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] == key)
                return static_cast<int>(i);
        return -1;
    }
};

class StudyFileTest : public DocumentTest {
protected:
    void TearDown() override { SetDecimalSeparator(0); }

    // Two objects over three frames, an origin turned a quarter turn, a scale, a flipped Y axis.
    void BuildStudy()
    {
        data->SetTimeBetweenFrames(0.04);
        data->SetObjectsPerFrame(2);
        data->SetObjectName(1, "le chariot");
        data->SetMarkColor(1, 0x123456);
        data->SetMarkVisible(0, false);
        for (int i = 0; i < 5; ++i)
            Click(0.1 + 0.1 * i, 0.2 + 0.05 * i);
        data->SetTool(document::toOriginAndAxes);
        Click(0.5, 0.5);
        data->SetXAxisAngle(std::numbers::pi / 2);
        data->SetYAxisDirect(false);
        data->SetTool(document::toScale);
        Click(0.1, 0.5);
        Click(0.6, 0.5);
        data->SetScaleLength(document::skSingle, 1);
    }
    std::unique_ptr<document::TData> Reloaded(const TMapKeys& keys)
    {
        auto other = std::make_unique<document::TData>(dlg, settings);
        other->SetView(&view);
        other->NewStudy();
        other->Load(keys);
        return other;
    }
};

TEST_F(StudyFileTest, RoundTripGivesTheSameMeasurement)
{
    BuildStudy();
    TMapKeys keys;
    data->Save(keys);
    auto other = Reloaded(keys);
    TMeasurement a, b;
    data->ExportMeasurement(TMarkSet::Fixed, a);
    other->ExportMeasurement(TMarkSet::Fixed, b);
    EXPECT_EQ(a.times, b.times);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.Y, b.Y);
    const TFrameGeometry g = other->Geometry(TMarkSet::Fixed);
    EXPECT_DOUBLE_EQ(g.sx, 2);
    EXPECT_NEAR(g.xAxisAngle, std::numbers::pi / 2, 1e-12);
    EXPECT_FALSE(g.yAxisDirect);
    EXPECT_EQ(other->ObjectName(1), "le chariot");
    EXPECT_EQ(other->MarkColor(1), 0x123456u);
    EXPECT_FALSE(other->MarkVisible(0));
    EXPECT_EQ(other->CurrentObject(), 1);
    EXPECT_EQ(other->MarkCount(), 5);
    EXPECT_EQ(other->FixedSet().AllMarks[4]->Screen, data->FixedSet().AllMarks[4]->Screen);
    EXPECT_FALSE(other->Undo()); // loading is not an undo step
}

TEST_F(StudyFileTest, KeysFollowTheirNamesAndOrder)
{
    BuildStudy();
    TMapKeys keys;
    data->Save(keys);
    EXPECT_EQ(
        keys.values.at("MarkXCoordinate_Grid_0_1"), FormatStoredDouble(data->FixedSet().AllMarks[1]->GetImage().x));
    EXPECT_EQ(keys.values.at("MarkVisibiltiesNumber"), "2");
    EXPECT_EQ(keys.values.at("MarkVisibility_0"), "0");
    EXPECT_EQ(keys.values.at("SystemName_Grid_1"), "le chariot");
    EXPECT_EQ(keys.values.at("MarksContainersNumber_Grid"), "3");
    EXPECT_EQ(keys.values.at("ScalePointsNumber"), "2");
    EXPECT_LT(keys.IndexOf("DirectYAxisDirection_Grid"), keys.IndexOf("DirectXAxisDirection_Grid"));
    EXPECT_LT(keys.IndexOf("ElementSize"), keys.IndexOf("DirectYAxisDirection_Grid"));
    EXPECT_LT(keys.IndexOf("LayerHeight"), keys.IndexOf("ScalePointsNumber"));
    EXPECT_LT(keys.IndexOf("ScaleVertLength"), keys.IndexOf("MarksNumberPosition_Grid"));
    EXPECT_LT(keys.IndexOf("MarksContainersNumber_Grid"), keys.IndexOf("MarksNumberPosition_Layer"));
}

TEST_F(StudyFileTest, CommaWrittenStudyReadsUnderAPointLocale)
{
    SetDecimalSeparator(',');
    view.mode = TMarkSet::Transparent;
    data->SetTool(document::toTransparent);
    data->MouseDown(TMouseButton::Left, At(0.45, 0.55)); // stage 1, being dragged
    TMapKeys keys;
    data->Save(keys);
    EXPECT_EQ(keys.values.at("LayerWidth"), "0,5");
    EXPECT_EQ(keys.values.at("LayerStage"), "0");
    SetDecimalSeparator('.');
    auto other = Reloaded(keys);
    EXPECT_DOUBLE_EQ(other->Sheet().LayerWidth, 0.5);
    EXPECT_EQ(other->Sheet().Stage, 1);
}

TEST_F(StudyFileTest, MissingKeysGiveTheirDefaults)
{
    TMapKeys keys;
    auto other = Reloaded(keys);
    EXPECT_DOUBLE_EQ(other->Axes().OrigineCurrent.x, 0.5);
    EXPECT_DOUBLE_EQ(other->Axes().YAxisAngle, std::numbers::pi / 2);
    EXPECT_EQ(other->Sheet().Stage, 0);
    EXPECT_EQ(other->FixedSet().MarksNumberPerFrame, 1);
    EXPECT_EQ(other->MarkCount(), 0);
    EXPECT_FALSE(keys.HadMalformedValue());
}

TEST_F(StudyFileTest, DamagedListsAreRepairedAndWhatWasLeftOutIsSaid)
{
    TMapKeys keys;
    keys.Write("MarksNumberPerFrame_Grid", "2");
    keys.Write("MarksContainersNumber_Grid", "1000000000"); // far more than written
    // Two containers of frame 7: object 0 twice in the first, object 1 once unreadable and once good.
    const char* const objects[2][2] = { { "0", "0" }, { "1", "1" } };
    const char* const ys[2][2] = { { "0.5", "0.5" }, { "zz", "0.6" } };
    for (int i = 0; i < 2; ++i) {
        const std::string c = "Grid_" + std::to_string(i);
        keys.Write("MarksContainerFrameNumber_" + c, "7");
        keys.Write("MarksContainerMarksNumber_" + c, "2");
        for (int j = 0; j < 2; ++j) {
            const std::string m = c + "_" + std::to_string(j);
            keys.Write("MarkOrderNumber_" + m, objects[i][j]);
            keys.Write("MarkXCoordinate_" + m, "0.25");
            keys.Write("MarkYCoordinate_" + m, ys[i][j]);
        }
    }
    auto other = Reloaded(keys);
    EXPECT_EQ(other->FixedSet().Containers.size(), 1u);
    ASSERT_EQ(other->MarkCount(), 2); // object 0 once, object 1 from the readable entry
    EXPECT_EQ(other->MarksOnFrame(7), 2);
    // Nothing is invented: the unreadable mark is not at y = 0, it is not there at all.
    for (const document::TMarque* mark : other->FixedSet().AllMarks)
        EXPECT_GT(mark->GetImage().y, 0.4);
    const std::vector<std::string> expected {
        "Une marque de l'image n° 8 a des coordonnées illisibles : elle a été écartée.",
        "1 marque(s) en double d'un même objet sur une même image ont été écartées.",
        "La liste des marques est incomplète : 2 marque(s) lue(s) sur 4 annoncée(s). Le fichier annonce 1000000000 "
        "image(s) pointée(s) et n'en contient que 2.",
    };
    EXPECT_EQ(keys.Problems(), expected);
}

TEST_F(StudyFileTest, TheSheetsPositionsAreReadOrSaidMissingNeverInvented)
{
    TMapKeys keys;
    keys.Write("OriginePositionsNumber_Layer", "4");
    const char* const xs[4] = { "0.4", "nan", "0.5", "0.6" };
    for (int k = 0; k < 4; ++k) {
        const std::string s = "Layer_" + std::to_string(k);
        keys.Write("OrigineImageNumber_" + s, std::to_string(k));
        keys.Write("OrigineXCoordinate_" + s, xs[k]);
        if (k != 3)
            keys.Write("OrigineYCoordinate_" + s, "0.5");
    }
    auto other = Reloaded(keys);
    ASSERT_EQ(other->Sheet().Origines.size(), 2u); // frames 0 and 2: frame 1 unreadable, frame 3 without y
    EXPECT_EQ(other->Sheet().Origines[1]->OrigineImageNumber, 2);
    EXPECT_EQ(other->Sheet().Origines[1]->OwnerIndex, 1);
    ASSERT_EQ(keys.Problems().size(), 1u);
    EXPECT_EQ(keys.Problems()[0],
        "La liste des positions du transparent est incomplète : 2 position(s) lue(s) sur 4 "
        "annoncée(s).");
}

TEST_F(StudyFileTest, CountsBeyondWhatTheProgramOffersAreDamageNotWork)
{
    // Each object has a colour, a visibility and a name: a count of two thousand million objects would
    // make them grow without end.
    for (const char* count : { "2147483647", "33", "0", "-4", "deux" }) {
        TMapKeys keys;
        keys.Write("MarksNumberPerFrame_Grid", count);
        auto other = Reloaded(keys);
        EXPECT_EQ(other->FixedSet().MarksNumberPerFrame, 1) << count;
        EXPECT_LE(other->ColourCount(), document::kMaxObjectsPerFrame) << count;
        ASSERT_EQ(keys.Problems().size(), 1u) << count;
        EXPECT_EQ(keys.Problems()[0],
            "Le nombre d'objets suivis par image (" + std::string(count)
                + ") est hors des limites (1 à 32) : un seul objet est suivi.");
    }
    TMapKeys most;
    most.Write("MarksNumberPerFrame_Grid", "32");
    EXPECT_EQ(Reloaded(most)->FixedSet().MarksNumberPerFrame, 32);
    EXPECT_TRUE(most.Problems().empty());

    // A list whose entry in the middle lost a line costs that entry only, and the loss is counted.
    TMapKeys keys;
    keys.Write("MarksContainersNumber_Grid", "5");
    for (int i = 0; i < 5; ++i) {
        const std::string c = "Grid_" + std::to_string(i);
        if (i != 2)
            keys.Write("MarksContainerFrameNumber_" + c, std::to_string(i));
        keys.Write("MarksContainerMarksNumber_" + c, "1");
        keys.Write("MarkOrderNumber_" + c + "_0", "0");
        keys.Write("MarkXCoordinate_" + c + "_0", "0.1");
        keys.Write("MarkYCoordinate_" + c + "_0", i == 4 ? "nan" : "0.2");
    }
    auto other = Reloaded(keys);
    EXPECT_EQ(other->MarkCount(), 3); // frames 0, 1, 3: frame 2 lost its number, frame 4 its y
    EXPECT_EQ(other->MarksOnFrame(3), 1);
    const std::vector<std::string> expected {
        "Une marque de l'image n° 5 a des coordonnées illisibles : elle a été écartée.",
        "La liste des marques est incomplète : 3 marque(s) lue(s) sur 5 annoncée(s). 1 image(s) pointée(s) sans "
        "numéro d'image lisible.",
    };
    EXPECT_EQ(keys.Problems(), expected);
}

TEST_F(StudyFileTest, ATimeBaseTheTimeDialogWouldRefuseKeepsTheVideosOwn)
{
    // Zero would divide every speed by zero; the video's frame duration stays and the file counts as damaged.
    for (const char* text : { "0", "-0,04", "1E12" }) {
        TMapKeys keys;
        keys.Write("RequiredDuration", text);
        auto other = std::make_unique<document::TData>(dlg, settings);
        other->SetView(&view);
        other->NewStudy();
        other->SetTimeBetweenFrames(0.04);
        other->Load(keys);
        EXPECT_DOUBLE_EQ(other->RequiredDuration(), 0.04) << text;
        EXPECT_TRUE(keys.HadMalformedValue()) << text;
    }
}

// The choice of the frames' own times is the study's: saved under its own key, off in a new study and in
// a study saved before the choice existed, and a change of it puts the results out of date.
TEST_F(StudyFileTest, TheChoiceOfTheFramesOwnTimesIsSavedWithTheStudy)
{
    BuildStudy();
    TMapKeys keys;
    data->Save(keys);
    EXPECT_EQ(keys.values.at("TimeFromTimestamps"), "0");
    EXPECT_EQ(keys.IndexOf("TimeFromTimestamps"), keys.IndexOf("FramesNumberBetweenTwoMarks") + 1);
    data->ClearResultsOutOfDate();
    data->SetTimeFromTimestamps(true);
    EXPECT_TRUE(data->ResultsOutOfDate());
    data->ClearResultsOutOfDate();
    data->SetTimeFromTimestamps(true);
    EXPECT_FALSE(data->ResultsOutOfDate());
    data->Save(keys);
    EXPECT_EQ(keys.values.at("TimeFromTimestamps"), "1");
    EXPECT_TRUE(Reloaded(keys)->TimeFromTimestamps());
    keys.values.erase("TimeFromTimestamps");
    EXPECT_FALSE(Reloaded(keys)->TimeFromTimestamps());
    data->NewStudy();
    EXPECT_FALSE(data->TimeFromTimestamps());
}

// A phone's frames at uneven instants: with the choice, t of a mark is its frame's time minus the first
// pointed frame's; without it, or with a player that does not know the frames' times, frames x period.
TEST_F(DocumentTest, TimesFollowTheFramesOwnTimesWhenTheStudyAsks)
{
    view.frameTimes = { 0, 0.033, 0.070, 0.100, 0.141, 0.170 };
    data->SetTimeBetweenFrames(0.034);
    view.rawFrame = 1;
    Click(0.1, 0.1); // frame 1, the view moves on to frame 2
    Click(0.2, 0.1);
    view.rawFrame = 4;
    Click(0.4, 0.1);
    TMeasurement m;
    data->ExportMeasurement(TMarkSet::Fixed, m);
    EXPECT_FALSE(m.timesFromFrames);
    ASSERT_EQ(m.times.size(), 3u);
    EXPECT_DOUBLE_EQ(m.times[1], 0.034);
    EXPECT_DOUBLE_EQ(m.times[2], 3 * 0.034);

    data->SetTimeFromTimestamps(true);
    data->ExportMeasurement(TMarkSet::Fixed, m);
    EXPECT_TRUE(m.timesFromFrames);
    EXPECT_DOUBLE_EQ(m.times[0], 0);
    EXPECT_DOUBLE_EQ(m.times[1], 0.070 - 0.033);
    EXPECT_DOUBLE_EQ(m.times[2], 0.141 - 0.033);
    EXPECT_EQ(m.frames[0], (std::vector<int> { 0, 1, 3 })); // frame numbers stay counted from the first

    // Two frames at one instant (a damaged file) cannot give speeds: the period applies.
    view.frameTimes[4] = 0.100;
    data->ExportMeasurement(TMarkSet::Fixed, m);
    EXPECT_FALSE(m.timesFromFrames);
    view.frameTimes.clear();
    data->ExportMeasurement(TMarkSet::Fixed, m);
    EXPECT_FALSE(m.timesFromFrames);
    EXPECT_DOUBLE_EQ(m.times[2], 3 * 0.034);
}

} // namespace
} // namespace kinoval::test
