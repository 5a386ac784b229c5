#include "core/video/player_texts.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"

#include <cstdio>

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
    return Tr("La durée d'affichage des images de cette vidéo est variable.");
}

std::vector<std::string> TextsVariableFrameDuration(double averageDuration)
{
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.6g", averageDuration);
    std::string shown = figure;
    for (char& c : shown)
        if (c == '.')
            c = DecimalSeparator();
    return { TextVariableFrameDuration(), FormatText(Tr("Durée moyenne d'une image : %s s."), { shown }),
        FormatText(Tr("Le temps des mesures peut suivre l'instant de chaque image : cocher « %s » dans « Mesures », "
                      "« Temps entre deux images... »."),
            { TextTimeFromTimestamps() }) };
}

std::string TextTimeFromTimestamps()
{
    return Tr("Temps selon l'horodatage des images");
}

std::string TextCannotOpenVideo()
{
    return Tr("Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :");
}

std::string TextNotAVideo()
{
    return Tr("Le format de ce fichier n'est pas reconnu : ce n'est pas une vidéo, ou elle est abîmée.");
}

std::string TextNoVideoStream()
{
    return Tr("Ce fichier ne contient aucune piste vidéo.");
}

std::string TextNoDecoder(const std::string& codecName)
{
    return FormatText(Tr("Aucun décodeur installé ne lit le codec de cette vidéo (%s)."), { codecName });
}

std::string TextDecoderFailed()
{
    return Tr("Le décodeur de cette vidéo n'a pas pu être ouvert : la vidéo est peut-être abîmée.");
}

std::string TextNoFrames()
{
    return Tr("Cette vidéo ne contient aucune image.");
}

std::string TextBadFrameSize(int width, int height)
{
    return FormatText(Tr("La taille des images de cette vidéo (%s × %s pixels) n'est pas utilisable."),
        { std::to_string(width), std::to_string(height) });
}

std::string TextBadFrameRate()
{
    return Tr("La cadence des images de cette vidéo est illisible ou hors des limites du logiciel.");
}

} // namespace kinoval::video
