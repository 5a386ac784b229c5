#include "core/mainwindow/results_checks.h"

#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/results/quantity.h"
#include "core/results/results_set.h"
#include "core/settings/options.h"

#include <algorithm>
#include <vector>

namespace kinoval::mainwindow {

namespace {

void AddLines(TCustomUserDlg& dialog, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        dialog.AddText(line);
}

int Inform(TCustomUserDlg& dialog, const std::vector<std::string>& lines)
{
    dialog.ShowMessage(TUserDlgIcon::icInformation, lines);
    return kResultsStop;
}

bool ScaleDone(const document::TData& data, int kind)
{
    return data.ScalePointCount(kind) >= 2 && data.ScaleLength(kind) > 0;
}

} // namespace

int SmallestMarkCount(const document::TData& data)
{
    const document::TPolyContainer& set = data.Set(TMarkSet::Fixed);
    const int objects = std::max(1, static_cast<int>(set.MarksNumberPerFrame));
    // Only the marks the results use: those on frames the video has.
    std::vector<int> counts(static_cast<std::size_t>(objects), 0);
    for (const auto& container : set.Containers) {
        if (!data.FrameInVideo(container->MarksContainerFrameNumber))
            continue;
        for (const auto& mark : container->Marks)
            if (mark->MarkOrderNumber >= 0 && mark->MarkOrderNumber < objects)
                ++counts[static_cast<std::size_t>(mark->MarkOrderNumber)];
    }
    return *std::min_element(counts.begin(), counts.end());
}

int TResultsChecks::Check()
{
    m_missingScale = -1;
    if (CheckScale() != kResultsGo)
        return kResultsStop;
    const int marks = m_parts.transparentPointing ? CheckTransparentMarks() : CheckFixedMarks();
    if (marks != kResultsGo)
        return kResultsStop;
    return NamingHint();
}

int TResultsChecks::CheckScale()
{
    const document::TData& data = m_parts.data;
    int missing = -1;
    if (data.Settings().separateScales) {
        if (!ScaleDone(data, 1))
            missing = 1;
        else if (!ScaleDone(data, 2))
            missing = 2;
    } else if (!ScaleDone(data, 0)) {
        missing = 0;
    }
    if (missing < 0)
        return kResultsGo;
    m_missingScale = missing;
    TCustomUserDlg& dialog = m_parts.dialog;
    dialog.ClearButtons();
    dialog.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    // The picture of the button to press instead of the information icon.
    dialog.SetCustomIcon(m_parts.scalePictures[static_cast<std::size_t>(missing)]);
    AddLines(dialog,
        { Tr("Définir, au préalable, l'échelle à l'aide d'une longueur connue."),
            Tr("Utiliser le bouton poussoir « Echelle ».") });
    dialog.Run();
    return kResultsStop;
}

int TResultsChecks::CheckFixedMarks()
{
    const document::TData& data = m_parts.data;
    const int smallest = SmallestMarkCount(data);
    const int objects = data.Set(TMarkSet::Fixed).MarksNumberPerFrame;
    if (smallest <= 2) {
        std::vector<std::string> lines;
        if (objects > 1)
            lines.push_back(FormatText(Tr("Vous avez choisi de pointer simultanément les positions de %u objets."),
                { std::to_string(objects) }));
        lines.push_back(Tr("Poser, au préalable, au moins trois marques par objet."));
        lines.push_back(Tr("Utiliser le bouton poussoir « Marques »."));
        return Inform(m_parts.dialog, lines);
    }
    if (data.OriginPlaced() == 0)
        return Inform(m_parts.dialog,
            { Tr("Poser, au préalable, l'origine d'un repère."), Tr("Utiliser le bouton poussoir « Repère ».") });
    if (smallest <= 4)
        return FiveMarksWarning();
    return kResultsGo;
}

int TResultsChecks::CheckTransparentMarks()
{
    const int marks = m_parts.data.MarksInVideo(TMarkSet::Transparent);
    if (marks <= 2)
        return Inform(m_parts.dialog,
            { Tr("Poser, au préalable, au moins trois marques sur la trajectoire."),
                Tr("A l'aide de la souris, glisser-déposer le transparent puis pointer la position de l'objet.") });
    if (marks <= 4)
        return FiveMarksWarning();
    return kResultsGo;
}

int TResultsChecks::FiveMarksWarning()
{
    TCustomUserDlg& dialog = m_parts.dialog;
    dialog.SetIcon(TUserDlgIcon::icWarning);
    dialog.ClearButtons();
    dialog.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
    dialog.AddButton(Tr("Continuer"), TUserDlgButtonKind::btCustom);
    dialog.AddText(Tr("Le calcul de la vitesse ou de l'accélération nécessite au moins cinq marques sur la "
                      "trajectoire pour être fiable."));
    return dialog.Run() == 1 ? kResultsGo : kResultsStop;
}

int TResultsChecks::NamingHint()
{
    const document::TData& data = m_parts.data;
    if (!m_parts.options.adviseNamingObjects || m_namingHintDismissed)
        return kResultsGo;
    const document::TPolyContainer& set
        = data.Set(m_parts.transparentPointing ? TMarkSet::Transparent : TMarkSet::Fixed);
    if (!set.HasDefaultNames())
        return kResultsGo;
    TCustomUserDlg& dialog = m_parts.dialog;
    dialog.SetIcon(TUserDlgIcon::icInformation);
    dialog.ClearButtons();
    dialog.AddButton(Tr("Donner un nom"), TUserDlgButtonKind::btCustom);
    dialog.AddButton(Tr("Ignorer"), TUserDlgButtonKind::btIgnorer);
    dialog.AddText(Tr("Le nom d'un objet est attribué par défaut (« Point n°1 » par exemple)."));
    dialog.AddText(Tr("Pour rendre les résultats plus clairs, il est fortement recommandé de nommer l'objet de "
                      "manière plus explicite."));
    dialog.CheckBoxCaption = Tr("Ne plus afficher cette boîte de dialogue");
    dialog.CheckBoxCheck = false;
    const int answer = dialog.Run();
    if (dialog.CheckBoxCheck) {
        m_namingHintDismissed = true;
        m_parts.options.adviseNamingObjects = false;
    }
    // Closing the box without an answer counts as "Ignorer": the user did not ask to name anything.
    return answer == 0 ? kResultsNameObjects : kResultsGo;
}

bool ComputeResults(results::TResultsSet& results, const TOptions& options, TCustomUserDlg& dialog)
{
    int smooth = 0;
    if (options.smoothVelocity)
        smooth |= results::kSmoothVelocity;
    if (options.smoothAcceleration)
        smooth |= results::kSmoothAcceleration;
    const bool ok
        = results.Calc.Recompute(results::kSelCurrent) == 0 && results.Calc.Derive(results::kSelCurrent, smooth);
    if (!ok)
        dialog.ShowMessage(
            TUserDlgIcon::icError, { Tr("L'unité de calcul a détecté une erreur. L'opération en cours est annulée.") });
    return ok;
}

} // namespace kinoval::mainwindow
