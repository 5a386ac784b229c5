#include "core/results/quantity.h"

namespace kinoval::results {

TQuantityText TextOf(int code)
{
    switch (code) {
    case kQtyT:
        return { "t", "s", "temps" };
    case kQtyX:
        return { "x", "m", "Abscisse" };
    case kQtyY:
        return { "y", "m", "Ordonnée" };
    case kQtyVx:
        return { "vx", "m/s", "Composante selon x de la vitesse" };
    case kQtyVy:
        return { "vy", "m/s", "Composante selon y de la vitesse" };
    case kQtyV:
        return { "v", "m/s", "Valeur de la vitesse" };
    case kQtyAx:
        return { "ax", "m/s²", "Composante selon x de l'accélération" };
    case kQtyAy:
        return { "ay", "m/s²", "Composante selon y de l'accélération" };
    case kQtyA:
        return { "a", "m/s²", "Valeur de l'accélération" };
    case kQtyTheta:
        return { "O", "rad", "Coordonnée angulaire" };
    case kQtyR:
        return { "R", "m", "Coordonnée radiale" };
    case kQtyOmega:
        return { "w", "rad/s", "Valeur de la vitesse angulaire" };
    default:
        return { "", "", "" };
    }
}

} // namespace kinoval::results
