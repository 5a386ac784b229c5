#include "core/results/quantity.h"

#include "core/common/texts.h"

namespace kinoval::results {

TQuantityText TextOf(int code)
{
    switch (code) {
    case kQtyT:
        return { "t", "s", TrNoop("temps") };
    case kQtyX:
        return { "x", "m", TrNoop("Abscisse") };
    case kQtyY:
        return { "y", "m", TrNoop("Ordonnée") };
    case kQtyVx:
        return { "vx", "m/s", TrNoop("Composante selon x de la vitesse") };
    case kQtyVy:
        return { "vy", "m/s", TrNoop("Composante selon y de la vitesse") };
    case kQtyV:
        return { "v", "m/s", TrNoop("Valeur de la vitesse") };
    case kQtyAx:
        return { "ax", "m/s²", TrNoop("Composante selon x de l'accélération") };
    case kQtyAy:
        return { "ay", "m/s²", TrNoop("Composante selon y de l'accélération") };
    case kQtyA:
        return { "a", "m/s²", TrNoop("Valeur de l'accélération") };
    case kQtyTheta:
        return { "O", "rad", TrNoop("Coordonnée angulaire") };
    case kQtyR:
        return { "R", "m", TrNoop("Coordonnée radiale") };
    case kQtyOmega:
        return { "w", "rad/s", TrNoop("Valeur de la vitesse angulaire") };
    default:
        return { "", "", "" };
    }
}

} // namespace kinoval::results
