// Long random sessions of clicks, drags, keys, tool and mode changes and undos, checking after every step
// that the mark sets stay consistent: every mark in exactly one container and at its slot in the list of
// all marks, at most one mark per object on a frame, mark numbers a permutation of the container ranks.
#include "document_fixture.h"

#include <random>
#include <set>

namespace kinoval::test {
namespace {

void ExpectConsistent(const document::TPolyContainer& set, int step)
{
    std::size_t inContainers = 0;
    std::set<int> frames;
    std::set<int> ranks;
    for (const auto& c : set.Containers) {
        ASSERT_TRUE(frames.insert(c->MarksContainerFrameNumber).second) << "step " << step;
        ASSERT_EQ(set.FindContainer(c->MarksContainerFrameNumber), c.get()) << "step " << step;
        ranks.insert(c->MarksContainerMarkNumber);
        std::set<int> objects;
        for (const auto& m : c->Marks) {
            ASSERT_EQ(m->Container, c.get()) << "step " << step;
            ASSERT_TRUE(objects.insert(m->MarkOrderNumber).second) << "step " << step;
            ASSERT_EQ(set.FindMark(m->Identity), m.get()) << "step " << step;
        }
        inContainers += c->Marks.size();
    }
    ASSERT_EQ(inContainers, set.AllMarks.size()) << "step " << step;
    for (std::size_t i = 0; i < set.AllMarks.size(); ++i)
        ASSERT_EQ(set.AllMarks[i]->OwnerIndex, static_cast<int>(i)) << "step " << step;
    ASSERT_EQ(ranks.size(), set.Containers.size()) << "step " << step;
    if (!ranks.empty()) {
        ASSERT_EQ(*ranks.begin(), 0);
        ASSERT_EQ(*ranks.rbegin(), static_cast<int>(set.Containers.size()) - 1);
    }
}

class StressTest : public DocumentTest, public ::testing::WithParamInterface<unsigned> {
protected:
    TPoint RandomPoint(std::mt19937& rng)
    {
        std::uniform_int_distribution<int> x(-20, view.frameWidth + 20);
        std::uniform_int_distribution<int> y(-20, view.frameHeight + 20);
        return { x(rng), y(rng) };
    }
    // A point near an existing mark, so that moves and erasures find something.
    TPoint NearMark(std::mt19937& rng)
    {
        const auto& all = data->CurrentSet().AllMarks;
        if (all.empty())
            return RandomPoint(rng);
        const auto* m = all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(rng)];
        return { m->Screen.x + static_cast<int>(rng() % 5) - 2, m->Screen.y + static_cast<int>(rng() % 5) - 2 };
    }
};

TEST_P(StressTest, RandomSessionsKeepTheMarkSetsConsistent)
{
    std::mt19937 rng(GetParam());
    view.frameCount = 30;
    dlg.defaultAnswer = 0;
    for (int step = 0; step < 3000; ++step) {
        const int op = static_cast<int>(rng() % 20);
        const TMouseButton button = rng() % 4 == 0 ? TMouseButton::Right : TMouseButton::Left;
        switch (op) {
        case 0:
            data->SetTool(static_cast<std::uint8_t>(rng() % 7));
            break;
        case 1:
            view.mode = rng() % 3 == 0 ? TMarkSet::Transparent : TMarkSet::Fixed;
            break;
        case 2:
            view.rawFrame = static_cast<int>(rng() % 30);
            break;
        case 3:
            data->SetObjectsPerFrame(1 + static_cast<int>(rng() % 4));
            break;
        case 4:
        case 5:
            data->Undo();
            break;
        case 6:
            if (rng() % 4 == 0)
                data->EraseAllMarks();
            else
                data->EraseCurrentFrameMarks();
            break;
        case 7: {
            const TPoint p = NearMark(rng);
            data->MouseDown(TMouseButton::Left, p);
            data->MouseMove(RandomPoint(rng));
            data->MouseUp(TMouseButton::Left, RandomPoint(rng));
            break;
        }
        case 8:
            data->KeyDown({ rng() % 2 ? TDocKey::Plus : TDocKey::Minus });
            break;
        case 9:
            view.mouse = NearMark(rng);
            data->KeyDown({ static_cast<TDocKey>(rng() % 7), static_cast<int>(rng() % 10), rng() % 2 == 0 });
            break;
        case 10: {
            std::vector<std::vector<TPointD>> positions(2, std::vector<TPointD>(3, TPointD { 0.3, 0.6 }));
            std::vector<std::vector<int>> numbers
                = { { static_cast<int>(rng() % 30), -1, static_cast<int>(rng() % 30) },
                      { static_cast<int>(rng() % 30), 4, 4 } };
            data->ImportMarks(positions, numbers);
            break;
        }
        case 11:
            if (rng() % 2)
                data->SetXAxisDirect(rng() % 2 == 0);
            else
                data->RemoveAxesAndScale();
            break;
        default: {
            const TPoint p = rng() % 2 ? NearMark(rng) : RandomPoint(rng);
            data->MouseDown(button, p);
            if (rng() % 2)
                data->MouseMove(RandomPoint(rng));
            data->MouseUp(button, p);
            break;
        }
        }
        ExpectConsistent(data->FixedSet(), step);
        ExpectConsistent(data->TransparentSet(), step);
        if (HasFatalFailure())
            return;
        TMeasurement m;
        data->ExportMeasurement(TMarkSet::Fixed, m);
        data->ExportMeasurement(TMarkSet::Transparent, m);
    }
}

TEST_P(StressTest, OneHistorySessionsUndoBackToAnEmptyStudy)
{
    std::mt19937 rng(GetParam());
    view.frameCount = 20;
    const std::uint8_t tools[] = { document::toPlaceMarks, document::toMoveMarks, document::toErase };
    for (int step = 0; step < 1500; ++step) {
        switch (rng() % 8) {
        case 0:
            data->SetTool(tools[rng() % 3]);
            break;
        case 1:
            view.rawFrame = static_cast<int>(rng() % 20);
            break;
        case 2:
            data->SetObjectsPerFrame(1 + static_cast<int>(rng() % 3));
            break;
        case 3:
            data->Undo();
            break;
        default: {
            const TPoint p = NearMark(rng);
            const TMouseButton b = rng() % 5 == 0 ? TMouseButton::Right : TMouseButton::Left;
            data->MouseDown(b, p);
            data->MouseMove(RandomPoint(rng));
            data->MouseUp(b, RandomPoint(rng));
            break;
        }
        }
    }
    while (data->Undo()) { }
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(data->ObjectsPerFrame(), 1);
    ExpectConsistent(data->FixedSet(), -1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, StressTest, ::testing::Range(1u, 9u));

} // namespace
} // namespace kinoval::test
