#include "core/common/system_errors.h"

#include "core/common/texts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kinoval {

std::string SystemErrorText(int error)
{
    switch (error) {
    case 0:
        return {};
    case ENOSPC:
        return Tr("Il n'y a plus de place sur le disque.");
    case EDQUOT:
        return Tr("Le quota d'espace disque est dépassé.");
    case EROFS:
        return Tr("Le support est en lecture seule.");
    case EACCES:
        return Tr("Permission refusée.");
    case EPERM:
        return Tr("Opération non permise.");
    case ENOENT:
        return Tr("Ce fichier ou ce dossier n'existe pas.");
    case ENOTDIR:
        return Tr("Un élément du chemin n'est pas un dossier.");
    case EISDIR:
        return Tr("C'est un dossier, pas un fichier.");
    case ENAMETOOLONG:
        return Tr("Le nom du fichier est trop long.");
    case ELOOP:
        return Tr("Trop de liens symboliques dans le chemin.");
    case EIO:
        return Tr("Erreur d'entrée-sortie sur le support.");
    case EFBIG:
        return Tr("Le fichier est trop volumineux.");
    case EMFILE:
    case ENFILE:
        return Tr("Trop de fichiers sont ouverts.");
    case ENOMEM:
        return Tr("La mémoire est insuffisante.");
    case EBUSY:
    case ETXTBSY:
        return Tr("Le fichier est occupé par un autre programme.");
    case EXDEV:
        return Tr("Le fichier ne peut pas être déplacé d'un support à un autre.");
    case EINVAL:
        return Tr("Argument invalide.");
    case ENXIO:
    case ENODEV:
        return Tr("Le périphérique n'existe pas.");
    case EAGAIN:
        return Tr("La ressource est momentanément indisponible.");
    default:
        return std::strerror(error);
    }
}

std::string EscapeForMessage(std::string_view text, std::size_t maxBytes)
{
    std::string out;
    out.reserve(text.size() < maxBytes ? text.size() : maxBytes);
    auto escape = [&out](unsigned char byte) {
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02X", byte);
        out += code;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (out.size() >= maxBytes) {
            out += "…";
            break;
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == '\\') {
            out += "\\\\";
            ++i;
            continue;
        }
        if (lead < 0x20 || lead == 0x7F) {
            escape(lead);
            ++i;
            continue;
        }
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence (no overlong forms, no surrogates, nothing above U+10FFFF).
        std::size_t length = 0;
        unsigned int codePoint = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (valid) {
            const unsigned int smallest = length == 2 ? 0x80 : (length == 3 ? 0x800 : 0x10000);
            valid = codePoint >= smallest && codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF)
                && !(codePoint >= 0x80 && codePoint < 0xA0); // C1 control characters
        }
        if (!valid) {
            escape(lead);
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace kinoval
