// A study file of arbitrary bytes read as the program reads one: the document, the montage and the
// formulas take what they can, give the rest its defaults, and stay usable afterwards (measurements
// exported, results computed, the study written back).
#include "core/common/ini_file.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/document/kvl.h"
#include "core/formulas/formules.h"
#include "core/montage/montage.h"
#include "core/results/results_set.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kinoval;

class TSilentDlg : public TCustomUserDlg {
protected:
    int DoRun() override { return 0; }
};

// A 640 x 480 video of 30 frames shown at its own size.
class TStillView : public TDocumentView {
public:
    bool IsOpened() const override { return true; }
    int FrameCount() const override { return 30; }
    int CurrentRawFrame() const override { return frame; }
    int CurrentMontageFrame() const override { return frame; }
    void GoToMontageFrame(int f) override { frame = f >= 0 && f < 30 ? f : frame; }
    void GoToRawFrame(int f) override { GoToMontageFrame(f); }
    TMarkSet MarkingMode() const override { return TMarkSet::Fixed; }
    bool IsPointingMode() const override { return true; }
    bool IsCaptureMode() const override { return false; }
    bool IsZoomOrPanToolActive() const override { return false; }
    int FrameWidth() const override { return 640; }
    int FrameHeight() const override { return 480; }
    int ClientWidth() const override { return 640; }
    int ClientHeight() const override { return 480; }
    double Zoom() const override { return 100; }
    TPointD ScreenToImage(TPoint p) const override { return { p.x / 640.0, p.y / 480.0 }; }
    TPoint ImageToScreen(TPointD p) const override
    {
        auto clamp = [](double v) { return v > 1e6 ? 1e6 : (v < -1e6 ? -1e6 : v); };
        return { static_cast<int>(clamp(p.x * 640)), static_cast<int>(clamp(p.y * 480)) };
    }
    TPoint MouseCursorPos() const override { return {}; }
    void SetCursorShape(TViewCursor) override { }
    void Repaint() override { }
    int frame = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    TIniFile file;
    file.SetText(std::string_view(reinterpret_cast<const char*>(bytes), size));
    TSilentDlg dlg;
    TStillView view;
    document::TData data(dlg, document::TDocumentSettings {});
    data.SetView(&view);
    data.NewStudy();
    data.Load(document::TIniSectionKeys(static_cast<const TIniFile&>(file), "Data"));
    montage::TMontage montage(dlg);
    montage.hooks.videoOpen = [] { return true; };
    montage.InitMontage(30);
    montage.LoadMontage(document::TIniSectionKeys(static_cast<const TIniFile&>(file), "Montage"));
    data.MontageCorrection = [&montage](int raw) { return montage.TimeShift(raw); };
    formulas::TFormules formules;
    formules.Load(file);

    for (const auto& mark : data.FixedSet().AllMarks)
        if (mark->Container == nullptr)
            std::abort();
    TMeasurement m;
    data.ExportMeasurement(TMarkSet::Fixed, m);
    data.ExportMeasurement(TMarkSet::Transparent, m);
    results::TResultsSet results(data);
    if (results.Calc.Recompute(results::kSelBoth) == 0)
        results.Calc.Derive(results::kSelBoth, 3);

    TIniFile written;
    document::TIniSectionKeys keys(written, "Data");
    data.Save(keys);
    return 0;
}
