#include "core/montage/montage_wiring.h"

#include "core/document/data.h"
#include "core/montage/montage.h"
#include "core/video/video.h"

namespace kinoval::montage {

TConnections ConnectMontage(
    TMontage& montage, document::TData& data, video::TVideo& view, std::function<bool()> explainHiding)
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
    TConnections links;
    links += view.notify.videoOpened.Connect(
        [&montage](const video::TPlayer& player) { montage.InitMontage(player.FrameCount()); });
    links += view.notify.montageLeft.Connect([&montage] { montage.LeaveMontage(); });
    return links;
}

} // namespace kinoval::montage
