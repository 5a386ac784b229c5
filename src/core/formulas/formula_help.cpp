#include "core/formulas/formula_help.h"

#include "core/common/texts.h"

namespace kinoval::formulas {

std::string FormulaHelpTitle(TFormulaHelp page)
{
    switch (page) {
    case TFormulaHelp::FormulaExamples:
        return Tr("Exemples de formules");
    case TFormulaHelp::ConstantExamples:
        return Tr("Exemples de constantes");
    case TFormulaHelp::Predefined:
        return Tr("Variables prédéfinies");
    case TFormulaHelp::Functions:
        return Tr("Fonctions reconnues");
    case TFormulaHelp::SpecialCharacters:
        return Tr("Caractères spéciaux");
    }
    return {};
}

std::string FormulaHelpText(TFormulaHelp page)
{
    switch (page) {
    case TFormulaHelp::FormulaExamples:
        return Tr("Ec = 0,5*m*v^2\n"
                  "    énergie cinétique (la constante m est déclarée dans le tableau des constantes)\n"
                  "Ep = m*g*y\n"
                  "    énergie potentielle de pesanteur\n"
                  "Em = Ec + Ep\n"
                  "    une formule peut utiliser d'autres formules\n"
                  "p = m1*v1 + m2*v2\n"
                  "    le chiffre qui suit une grandeur désigne l'objet (v2 : vitesse de l'objet 2)\n"
                  "m1*vx1 + m2*vx2\n"
                  "    une formule sans nom est calculée comme les autres\n"
                  "d = Sqrt((x2-x1)^2 + (y2-y1)^2)\n"
                  "    distance entre deux objets\n"
                  "vm = (x[i+1]-x[i-1])/(t[i+1]-t[i-1])\n"
                  "    [i] désigne la ligne en cours, [i-1] la précédente, [i+1] la suivante\n"
                  "y_e[i+1] = y_e[i] + vy_e[i]*Dt\n"
                  "    formule itérative (méthode d'Euler) : la valeur initiale y_e[1] est une constante");
    case TFormulaHelp::ConstantExamples:
        return Tr("m = 0,1\n"
                  "    une masse, en kg\n"
                  "g = 9,81\n"
                  "    l'intensité de la pesanteur\n"
                  "Dt = 0,04\n"
                  "    le pas de calcul d'une formule itérative\n"
                  "P = =m*g\n"
                  "    une valeur qui commence par « = » est calculée à partir des autres constantes\n"
                  "y_e[1] = 0\n"
                  "    valeur initiale de la formule itérative y_e, sur la ligne 1 du tableau\n"
                  "    (la ligne 0 quand la numérotation commence à zéro)");
    case TFormulaHelp::Predefined:
        return Tr("t : temps (s)\n"
                  "x, y : coordonnées (m)\n"
                  "vx, vy, v : composantes et valeur de la vitesse (m/s)\n"
                  "ax, ay, a : composantes et valeur de l'accélération (m/s²)\n"
                  "O, R, w : coordonnée angulaire, coordonnée radiale, vitesse angulaire\n"
                  "B : angle de rotation du repère\n"
                  "Un nombre après le nom désigne l'objet : x2, vy3... ; sans nombre, l'objet 1.\n"
                  "La vitesse, l'accélération et les grandeurs polaires existent quand les réglages les "
                  "calculent.\n"
                  "Les angles sont en degrés ou en radians selon le menu Calculs > Angles.");
    case TFormulaHelp::Functions:
        return Tr("Sin, Cos, Tan : sinus, cosinus, tangente\n"
                  "ArcSin, ArcCos, ArcTan : fonctions réciproques ; ArcTan(y;x) donne l'angle du point (x, y)\n"
                  "Ln : logarithme népérien ; Log : logarithme décimal\n"
                  "Exp : exponentielle ; Sqrt : racine carrée ; Abs : valeur absolue\n"
                  "Pi : le nombre π\n"
                  "Les noms s'écrivent en majuscules ou en minuscules ; l'argument suit entre parenthèses.");
    case TFormulaHelp::SpecialCharacters:
        return Tr("+ - * / : opérations (« / » s'écrit aussi « ÷ »)\n"
                  "^ : puissance (2^3 = 8 ; x^0,5 = racine carrée de x)\n"
                  "( ) : parenthèses\n"
                  "[ ] : indice de ligne (v[i-1]) ou d'une valeur initiale (v[1])\n"
                  "; : sépare les deux arguments d'ArcTan\n"
                  "E : puissance de dix d'un nombre (1,5E-3 = 0,0015)\n"
                  "La virgule et le point sont acceptés comme séparateur décimal.\n"
                  "Un nom commence par une lettre et continue par des lettres, des chiffres, « _ », « ² » "
                  "ou « ³ ».");
    }
    return {};
}

} // namespace kinoval::formulas
