#include "core/montage/montage_wiring.h"

#include "core/document/data.h"
#include "core/montage/montage.h"
#include "core/video/video.h"

namespace kinoval::montage {

void ConnectMontage(TMontage& montage, document::TData& data, video::TVideo& view, std::function<bool()> explainHiding)
{
    montage.hooks.videoOpen = [&view] { return view.IsOpened(); };
    montage.hooks.currentRawFrame = [&view] { return view.CurrentRawFrame(); };
    montage.hooks.goToRawFrame = [&view](int raw) { view.GoToRawFrame(raw); };
    montage.hooks.timeBetweenFrames = [&data] { return data.TimeBetweenFrames(); };
    montage.hooks.marksOnFrame = [&data](int raw) { return data.MarksOnRawFrameInAllSets(raw); };
    montage.hooks.eraseFrameMarks = [&data](int raw) { data.EraseHiddenFrameMarks(raw); };
    montage.hooks.resultsOutOfDate = [&data] { data.MarkResultsOutOfDate(); };
    montage.hooks.repaint = [&view] { view.Repaint(); };
    montage.hooks.explainHiding = std::move(explainHiding);

    data.MontageCorrection = [&montage](int raw) { return montage.TimeShift(raw); };

    view.hooks.montageToRaw = [&montage](int m) { return montage.MontageToRaw(m); };
    view.hooks.rawToMontage = [&montage](int r) { return montage.RawToMontage(r); };
    view.hooks.montageFrameCount = [&montage] { return montage.VisibleCount(); };
    view.hooks.isHiddenFrame = [&montage](int raw) { return !montage.IsVisible(raw); };
    auto opened = std::move(view.hooks.videoOpened);
    view.hooks.videoOpened = [&montage, opened = std::move(opened)](const video::TPlayer& player) {
        if (opened)
            opened(player);
        montage.InitMontage(player.FrameCount());
    };
    auto before = std::move(view.hooks.closeMontage);
    view.hooks.closeMontage = [&montage, before = std::move(before)] {
        if (before)
            before();
        montage.LeaveMontage();
    };
}

} // namespace kinoval::montage
