#include "core/mainwindow/value_input.h"

#include <limits>
#include <numbers>
#include <optional>

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/document/marks.h"

namespace kinoval::mainwindow {

namespace {

std::string RangeOfIntegers(std::string_view pattern, int low, int high)
{
    std::string text = Tr(pattern);
    const std::string values[2] = { std::to_string(low), std::to_string(high) };
    for (const std::string& v : values) {
        const std::size_t at = text.find("%d");
        if (at == std::string::npos)
            break;
        text.replace(at, 2, v);
    }
    return text;
}

TValueUse IntegerUse(std::string label, std::string caption, double low, double high, std::string range)
{
    TValueUse use;
    use.label = std::move(label);
    use.caption = std::move(caption);
    use.rangeText = std::move(range);
    use.minimum = low;
    use.maximum = high;
    return use;
}

} // namespace

TValueUse MakeAxisAngleUse()
{
    TValueUse use;
    use.label = Tr("Angle de rotation du repère en degré(s)");
    use.caption = Tr("Angle de rotation du repère");
    use.rangeText = Tr("-180° <= angle <= +180° dans le sens trigonométrique");
    use.unitSuffix = Tr(" °");
    use.kind = TValueKind::Real;
    use.minimum = -180;
    use.maximum = 180;
    use.degreesToRadians = true;
    return use;
}

TValueUse MakeScaleLengthUse()
{
    TValueUse use;
    use.label = Tr("Longueur du segment en mètre(s)");
    use.caption = Tr("Etalonner un segment");
    use.rangeText = Tr("1 mm < longueur du segment < 15 Tm");
    use.unitSuffix = Tr(" m");
    use.kind = TValueKind::Real;
    use.minimum = 0.001;
    use.maximum = 1.5e13;
    use.strictBounds = true;
    return use;
}

TValueUse MakeMarksToDrawUse()
{
    return IntegerUse(Tr("Nombre de marque(s) à dessiner"), Tr("Dessiner les dernières marques posées"), 1,
        std::numeric_limits<int>::max(), Tr("nombre >= 1"));
}

TValueUse MakeObjectsPerFrameUse()
{
    return IntegerUse(Tr("Nombre de marques par image"), Tr("Définir le nombre de points suivis"), 1,
        document::kMaxObjectsPerFrame, RangeOfIntegers(TrNoop("%d <= nombre <= %d"), 1, document::kMaxObjectsPerFrame));
}

TValueUse MakeFrameNumberUse(int frameCount)
{
    return IntegerUse(Tr("Numéro de la nouvelle image"), Tr("Rechercher une image avec son numéro"), 1, frameCount,
        RangeOfIntegers(TrNoop("%d <= numéro <= %d"), 1, frameCount));
}

TValueUse MakeFramesBetweenMarksUse(int frameCount)
{
    TValueUse use
        = IntegerUse(Tr("Nombre d'image(s) à faire avancer"), Tr("Nombre d'images séparant deux marques semblables"), 1,
            frameCount - 1, RangeOfIntegers(TrNoop("%d <= nombre <= %d"), 1, frameCount - 1));
    use.note = Tr("La vidéo avance automatiquement d'une ou plusieurs images après la pose de la dernière marque.");
    return use;
}

std::vector<std::string> CheckValue(const TValueUse& use, std::string_view text, double& value)
{
    const std::string typedLine = Tr("Valeur saisie :") + " " + std::string(text);
    std::optional<double> typed;
    if (use.kind == TValueKind::Integer) {
        const std::optional<long long> whole = ParseInteger(text);
        if (!whole)
            return { typedLine, Tr("Cette chaîne de caractères ne représente pas un entier acceptable.") };
        typed = static_cast<double>(*whole);
    } else {
        typed = ParseTypedNumber(text);
        if (!typed)
            return { typedLine, Tr("Cette chaîne de caractères ne représente pas un nombre réel acceptable."),
                Tr("La chaîne de caractères doit être constituée d'un signe (facultatif), de chiffres, d'un "
                   "séparateur décimal (facultatif), puis d'une mantisse (facultative)."),
                Tr("La mantisse comprend « E » ou « e » suivi d'un signe (facultatif) et d'un nombre entier.") };
    }
    const double v = *typed;
    const bool inside
        = use.strictBounds ? (v > use.minimum && v < use.maximum) : (v >= use.minimum && v <= use.maximum);
    if (!inside)
        return { typedLine + use.unitSuffix, Tr("Saisir une valeur comprise dans l'intervalle ci-dessous :"),
            use.rangeText };
    value = use.degreesToRadians ? v * std::numbers::pi / 180.0 : v;
    return {};
}

} // namespace kinoval::mainwindow
