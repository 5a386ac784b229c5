// kinoval-cli table STUDY.kvl [--format tsv|python|csv] [--smooth-speed] [--smooth-accel] [--layer]
// [--formulas] [--settings FILE]: loads a study as the program does, with the user's settings (the
// program's settings file, or the one named), computes its quantities and prints the results table with
// every column group shown, in the form of one of the table's outputs: the tab-separated copy (first line
// the program, second the date and time), the Python copy, or the CSV export. The fixed-frame marks are
// used, or the transparent sheet's with --layer. With --formulas the study's formulas follow, computed
// from those results, one column each after the kinematic columns: their names, units and comments on the
// header lines, the columns hidden in the formulas window left out. A failure prints the program's own
// message and exits with status 1; a study that was damaged (marks left out, lists cut short, another
// video) prints what was left out and the table of what could be read, and exits with status 3, so that a
// script can tell.
#include "cli/cli_command.h"

#ifdef KINOVAL_HAVE_MEDIA
#include "cli/cli_console.h"
#include "core/common/folders.h"
#include "core/common/ini_file.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/document/data.h"
#include "core/export/serveur.h"
#include "core/export/workbook.h"
#include "core/formulas/formula_grid.h"
#include "core/formulas/formules.h"
#include "core/formulas/formules_calc.h"
#include "core/mainwindow/results_checks.h"
#include "core/mainwindow/study_commands.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/results/results_set.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "core/video/video.h"
#include "media/player_factory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kinoval::cli {
namespace {

using namespace kinoval;

#define KINOVAL_TABLE_ARGUMENTS                                                                                        \
    "STUDY.kvl [--format tsv|python|csv] [--smooth-speed] [--smooth-accel] [--layer] [--formulas] "                    \
    "[--settings FILE]"
constexpr const char* kArguments = KINOVAL_TABLE_ARGUMENTS;
constexpr const char* kUsage = "usage: kinoval-cli table " KINOVAL_TABLE_ARGUMENTS "\n";

// Nothing is played here: frames are only sought.
class TNoTimer : public video::TPlaybackTimer {
public:
    bool Start(int, std::function<void()>) override { return false; }
    void Stop() override { }
    bool Running() const override { return false; }
};

// The checks' questions go on: the five-marks warning is printed and answered "Continuer", as a user who
// wants the table would.
class TTableDlg : public cli::TConsoleDlg {
protected:
    int DoRun() override
    {
        TConsoleDlg::DoRun();
        for (std::size_t i = 0; i < Buttons().size(); ++i)
            if (Buttons()[i].caption == Tr("Continuer"))
                return static_cast<int>(i);
        return 0;
    }
};

void PrintLines(const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        std::fprintf(stderr, "%s\n", line.c_str());
}

std::string ProgramPath()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("kinoval-cli") : self.string();
}

int Run(const std::vector<std::string>& args)
{
    std::string study;
    std::string format = "tsv";
    bool layer = false;
    bool withFormulas = false;
    int smoothing = 0;
    std::string settings;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--format" && i + 1 < args.size()) {
            format = args[++i];
        } else if (a == "--smooth-speed") {
            smoothing |= 1;
        } else if (a == "--smooth-accel") {
            smoothing |= 2;
        } else if (a == "--layer") {
            layer = true;
        } else if (a == "--formulas") {
            withFormulas = true;
        } else if (a == "--settings" && i + 1 < args.size()) {
            settings = args[++i];
        } else if (!a.empty() && a[0] != '-' && study.empty()) {
            study = a;
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }
    if (study.empty() || (format != "tsv" && format != "python" && format != "csv")) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }

    TTableDlg dialog;
    cli::TNoDesktop desktop;
    media::TMediaPlayerFactory factory;
    TNoTimer timer;
    video::TVideo view(factory, timer);
    document::TData data(dialog, document::TDocumentSettings {});
    video::TDocumentInput input(data, view);
    TConnections links;
    links += video::LinkDocument(view, data, input);
    montage::TMontage montage(dialog);
    links += montage::ConnectMontage(montage, data, view, {});
    formulas::TFormules formules;
    // The settings change the table as they change the window's: separate scales, numbering, hidden edges.
    TOptions options;
    if (!settings.empty()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(settings, error) || IsRefusedRead(options.Load(settings))) {
            PrintLines({ EscapeForMessage(settings), Tr("Ce fichier de réglages ne peut pas être lu.") });
            return 1;
        }
    } else {
        options.Load((std::filesystem::path(ConfigFolder()) / kSettingsFileName).string());
    }
    options.adviseNamingObjects = false; // a hint for the window, not a reason to stop
    data.ApplySettings(mainwindow::DocumentSettingsOf(options));
    TMRUFiles mru;
    const mainwindow::TStudyParts parts { dialog, desktop, view, data, options, mru, &montage, &formules };

    mainwindow::TStudyLoadReport report;
    const int loaded = mainwindow::LoadStudyFile(study, parts, &report);
    if (loaded == mainwindow::kStudyUnreadable || loaded == mainwindow::kStudyNotAStudy) {
        PrintLines({ EscapeForMessage(study), Tr("Ce fichier n'est pas un travail Kinoval lisible.") });
        if (!report.fileReason.empty())
            PrintLines({ report.fileReason });
        return 1;
    }
    if (loaded == mainwindow::kStudyVideoMissing) {
        PrintLines({ report.videoName, Tr("Le fichier vidéo de ce travail est introuvable."),
            Tr("Ouvrir d'abord un fichier vidéo.") });
        return 1;
    }
    if (loaded == mainwindow::kStudyVideoUnreadable) {
        PrintLines({ report.videoName, Tr("Le fichier vidéo de ce travail existe, mais il n'a pas pu être ouvert :"),
            report.videoReason });
        return 1;
    }
    const std::vector<std::string> problems = mainwindow::StudyProblemLines(report);
    PrintLines(problems);
    const int done = problems.empty() ? 0 : 3;

    // The same checks as the results buttons, with the same messages.
    mainwindow::TResultsChecks checks({ data, options, dialog, {}, layer });
    if (checks.Check() != mainwindow::kResultsGo)
        return 1;

    results::TResultsSet results(data);
    results.Calc.SetTransparentModeHook([layer] { return layer; });
    results.Grids.IsTransparentMode = [layer] { return layer; };
    const results::TSel which = layer ? results::kSelTransparent : results::kSelFixed;
    if (results.Calc.Recompute(which) != 0) {
        PrintLines({ Tr("L'unité de calcul a détecté une erreur. L'opération en cours est annulée.") });
        return 1;
    }
    if (!results.Calc.Derive(which, smoothing)) {
        PrintLines({ Tr("L'unité de calcul a détecté une erreur. L'opération en cours est annulée.") });
        return 1;
    }

    results::TGrid& grid = layer ? results.Grids.Transparent() : results.Grids.Camera();
    grid.Options = results::GridOptionsOf(options);
    grid.Resize();
    grid.SetVisible(
        true, results::kPositionCodes | results::kVelocityCodes | results::kAccelerationCodes | results::kPolarCodes);
    grid.Layout();

    // The formulas read the results just computed, with the settings the window gives them.
    formulas::TFormulesCalc formulasCalc(formules, results.Calc, data);
    formulas::TFormulaGrid formulaGrid(formules);
    if (withFormulas) {
        formulasCalc.ApplyOptions(options);
        formulasCalc.SetAvailable(options.showVelocity, options.showAcceleration, options.polarQuantities);
        formulasCalc.Update();
        formulaGrid.Options = { options.numberMarksFromZero, options.hideVelocityEdges, options.hideAccelerationEdges };
    }

    TServeur out(desktop, dialog);
    if (format == "csv") {
        TStringMatrix matrix = grid.Matrix();
        if (withFormulas) {
            for (std::size_t line = 0; line < matrix.size(); ++line) {
                const std::vector<std::string> cells = formulaGrid.FormulaCells(static_cast<int>(line));
                matrix[line].insert(matrix[line].end(), cells.begin(), cells.end());
            }
        }
        std::fputs(MatrixToCsv(matrix).c_str(), stdout);
        return done;
    }
    if (format == "python") {
        grid.CopyPython(out);
        if (withFormulas)
            formulaGrid.CopyFormulaPython(out);
        std::fputs(out.Text().c_str(), stdout);
    } else {
        grid.CopyText(ProgramPath(), out);
        // After the program, date and angle lines: the three header lines, then one line per row.
        std::vector<std::string> lines = out.Lines();
        for (std::size_t i = 3; withFormulas && i < lines.size(); ++i) {
            for (const std::string& cell : formulaGrid.FormulaCells(static_cast<int>(i) - 2))
                lines[i] += "\t" + cell;
        }
        for (std::size_t i = 0; i < lines.size(); ++i)
            std::fprintf(stdout, "%s%s", i > 0 ? "\n" : "", lines[i].c_str());
    }
    std::fputc('\n', stdout);
    return done;
}

const kinoval::cli::TRegisterCommand reg("table", kArguments, Run);

} // namespace
} // namespace kinoval::cli
#endif
