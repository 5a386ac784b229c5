#include "core/document/time_base.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"

namespace kinoval::document {

std::vector<std::string> CheckTimeBetweenFrames(std::string_view text, double& value)
{
    const std::optional<double> typed = ParseTypedNumber(text);
    if (!typed)
        return {Tr("Valeur saisie :") + " " + std::string(text),
                Tr("Cette chaîne de caractères ne représente pas un nombre réel acceptable."),
                Tr("La chaîne de caractères doit être constituée d'un signe (facultatif), de chiffres, d'un "
                   "séparateur décimal (facultatif), puis d'une mantisse (facultative)."),
                Tr("La mantisse comprend « E » ou « e » suivi d'un signe (facultatif) et d'un nombre entier.")};
    if (!(*typed > 1e-6 && *typed < 1e9))
        return {Tr("Valeur saisie :") + " " + std::string(text) + Tr(" s"),
                Tr("Saisir une valeur comprise dans l'intervalle ci-dessous :"), Tr("1 µs < intervalle de temps < 1 Gs")};
    value = *typed;
    return {};
}

} // namespace kinoval::document
