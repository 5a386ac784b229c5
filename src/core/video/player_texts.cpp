#include "core/video/player_texts.h"

#include "core/common/texts.h"

namespace kinoval::video {

std::string TextFFmpegMissing()
{
    return Tr("Les bibliothèques « FFmpeg » ne sont pas installées sur le disque dur.") + "\n"
        + Tr("Veuillez télécharger et installer le dossier « KvlDll ».");
}

std::string TextFFmpegTooOld()
{
    return Tr("Les bibliothèques « FFmpeg » installées sur le disque dur sont trop anciennes.") + "\n"
        + Tr("Veuillez télécharger et installer une version plus récente du dossier « KvlDll ».");
}

std::string TextUnlistedError()
{
    return Tr("Erreur non répertoriée");
}

std::string TextDamagedFrame()
{
    return Tr("Une image est abîmée");
}

std::string TextVariableFrameDuration()
{
    return Tr("La durée d'affichage des images de cette vidéo est variable. Ce comportement est incompatible "
              "avec le fonctionnement du logiciel.");
}

std::string TextCannotOpenVideo()
{
    return Tr("Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :");
}

} // namespace kinoval::video
