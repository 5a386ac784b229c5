#include "core/montage/record_montage.h"

#include "core/common/bmp_file.h"
#include "core/common/png_writer.h"
#include "core/common/texts.h"
#include "core/montage/record_plan.h"

#include <cmath>
#include <numeric>

namespace kinoval::montage {

std::string RecordErrorText(int code)
{
    switch (code) {
    case reAborted:
        return Tr("Processus abandonné");
    case reNotOpen:
        return Tr("Vidéo non initialisée");
    case reBadFrame:
        return Tr("Une image est abîmée");
    case reWriteFrame:
        return Tr("Une image n'a pu être insérée dans le flux vidéo");
    case reCompress:
        return Tr("Impossible de compresser le flux vidéo");
    case reFormat:
        return Tr("Impossible de définir le format du flux vidéo");
    case reReplace:
        return Tr("Impossible de remplacer le fichier du même nom (il est peut être ouvert par un autre programme)");
    case reWriteFile:
        return Tr("Impossible d'écrire le fichier vidéo sur le disque");
    case reCreateStream:
        return Tr("Impossible de créer le flux vidéo en mémoire");
    case reNoCodec:
        return Tr("Le codeur n'existe pas ou est indisponible");
    case rePlayerStopped:
        return Tr("La lecture de la vidéo a été interrompue.");
    case rePicture:
        return Tr("Impossible d'écrire le fichier image sur le disque");
    default:
        return Tr("Erreur non répertoriée");
    }
}

TRateFraction RateFraction(double fps)
{
    if (!std::isfinite(fps) || fps <= 0 || fps > 10000)
        return {};
    // The rates of cameras and television first, so that 29.97 is stored as 30000/1001.
    for (unsigned den : { 1u, 1001u, 2u, 4u, 5u, 10u, 100u, 1000u }) {
        const double num = std::round(fps * den);
        if (num >= 1 && std::abs(num / den - fps) <= 1e-9 * fps)
            return { static_cast<unsigned>(num), den };
    }
    unsigned den = 1000000;
    unsigned num = static_cast<unsigned>(std::max(1.0, std::round(fps * den)));
    const unsigned g = std::gcd(num, den);
    return { num / g, den / g };
}

void TRecordMontage::Cancel(int code)
{
    if (m_recording && m_cancel == reOk)
        m_cancel = code;
}

int TRecordMontage::Begin()
{
    m_recording = true;
    m_cancel = reOk;
    m_error = reOk;
    m_errorText.clear();
    return reOk;
}

int TRecordMontage::Fail(int code, std::string text)
{
    m_error = code;
    m_errorText = text.empty() ? RecordErrorText(code) : std::move(text);
    m_recording = false;
    return code;
}

bool TRecordMontage::Step(int done, int total)
{
    if (OnProgress)
        OnProgress(done, total);
    return m_cancel == reOk;
}

int TRecordMontage::RecordVideo(TMovieWriter& writer, TMovieSpec movie, const TRecordOptions& options,
    const std::vector<int>& steps, int sourceWidth, int sourceHeight, const TFrameSource& frames)
{
    Begin();
    const TFrameSize size = OutputSize(options, sourceWidth, sourceHeight);
    movie.width = size.width;
    movie.height = size.height;
    if (steps.empty() || size.width <= 0 || size.height <= 0)
        return Fail(reNotOpen);
    if (const int code = writer.Open(movie); code != reOk)
        return Fail(code, writer.ErrorText());
    const int total = static_cast<int>(steps.size());
    TRgbImage source;
    for (int k = 0; k < total; ++k) {
        TRgbImage frame;
        if (steps[static_cast<std::size_t>(k)] == kBlankStep) {
            frame = BlankFrame(size.width, size.height);
        } else {
            if (!frames(steps[static_cast<std::size_t>(k)], source) || source.width != sourceWidth
                || source.height != sourceHeight) {
                writer.Close(false);
                // A source that stopped (the player closed) says so rather than blaming the frame.
                return Fail(m_cancel != reOk ? m_cancel : reBadFrame);
            }
            frame = TransformFrame(options, source);
        }
        if (const int code = writer.AddFrame(frame); code != reOk) {
            const std::string text = writer.ErrorText();
            writer.Close(false);
            return Fail(code, text);
        }
        if (!Step(k + 1, total)) {
            writer.Close(false);
            return Fail(m_cancel);
        }
    }
    if (const int code = writer.Close(true); code != reOk)
        return Fail(code, writer.ErrorText());
    m_recording = false;
    return reOk;
}

int TRecordMontage::FramesToPictures(const std::string& base, TPictureFormat format, const TRecordOptions& options,
    const std::vector<int>& rawFrames, const TFrameSource& frames, const TPictureWriter& write)
{
    Begin();
    m_written.clear();
    const int total = static_cast<int>(rawFrames.size());
    if (total == 0)
        return Fail(reNotOpen);
    TRgbImage source;
    for (int k = 0; k < total; ++k) {
        if (!frames(rawFrames[static_cast<std::size_t>(k)], source))
            return Fail(m_cancel != reOk ? m_cancel : reBadFrame);
        const TRgbImage picture = TransformFrame(options, source);
        const std::string name = PictureFileName(base, k, total, format);
        bool ok = false;
        if (write)
            ok = write(name, picture);
        else
            ok = (format == TPictureFormat::Bmp ? WriteBmp(name, picture) : WritePng(name, picture)) == 0;
        if (!ok)
            return Fail(rePicture, RecordErrorText(rePicture) + " : " + name);
        m_written.push_back(name);
        if (!Step(k + 1, total))
            return Fail(m_cancel);
    }
    m_recording = false;
    return reOk;
}

int TRecordMontage::PicturesToVideo(TMovieWriter& writer, TMovieSpec movie, const TRecordOptions& options,
    const std::vector<std::string>& pictures, const TPictureReader& read)
{
    Begin();
    const TPictureReader reader = read
        ? read
        : TPictureReader([](const std::string& name, TRgbImage& picture) { return ReadBmp(name, picture); });
    const int total = static_cast<int>(pictures.size());
    if (total == 0)
        return Fail(reNotOpen);
    TRgbImage picture;
    bool open = false;
    for (int k = 0; k < total; ++k) {
        const std::string& name = pictures[static_cast<std::size_t>(k)];
        if (!reader(name, picture) || picture.IsEmpty()) {
            if (open)
                writer.Close(false);
            return Fail(reBadFrame, RecordErrorText(reBadFrame) + " : " + name);
        }
        TRgbImage frame = TransformFrame(options, picture);
        if (!open) {
            movie.width = frame.width;
            movie.height = frame.height;
            if (const int code = writer.Open(movie); code != reOk)
                return Fail(code, writer.ErrorText());
            open = true;
        } else if (frame.width != movie.width || frame.height != movie.height) {
            frame = Stretch(frame, movie.width, movie.height);
        }
        if (const int code = writer.AddFrame(frame); code != reOk) {
            const std::string text = writer.ErrorText();
            writer.Close(false);
            return Fail(code, text);
        }
        if (!Step(k + 1, total)) {
            writer.Close(false);
            return Fail(m_cancel);
        }
    }
    if (const int code = writer.Close(true); code != reOk)
        return Fail(code, writer.ErrorText());
    m_recording = false;
    return reOk;
}

} // namespace kinoval::montage
