#include "core/montage/record_options.h"

#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/common/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kinoval::montage {

void TRecordOptions::Clamp()
{
    if (framework < 0 || framework >= kFrameworkCount)
        framework = fwAvi;
    if (codec.empty())
        codec = kNoCodec;
    quality = std::clamp(quality, 10, 100);
    keyFrameInterval = std::clamp(keyFrameInterval, 1, 250);
    width = std::clamp(width, 0, 10000);
    height = std::clamp(height, 0, 10000);
    cropTop = std::clamp(cropTop, 0, 100);
    cropBottom = std::clamp(cropBottom, 0, 100);
    cropSides = std::clamp(cropSides, 0, 100);
    if (!std::isfinite(framesPerSecond) || framesPerSecond < 0)
        framesPerSecond = 0;
}

void TRecordOptions::Load(const TIniFile& ini)
{
    framework = ini.ReadInt(kSection, "Framework", fwAvi);
    codec = ini.ReadString(kSection, "Codec", kNoCodec);
    Clamp();
}

void TRecordOptions::Save(TIniFile& ini) const
{
    ini.WriteInteger(kSection, "Framework", framework);
    ini.WriteString(kSection, "Codec", codec);
}

int MaxCropTopBottom(int sourceHeight)
{
    // Top and bottom are set one by one; each may take at most half of what must leave one row.
    return std::clamp((sourceHeight - 1) / 2, 0, 100);
}

int MaxCropSides(int sourceWidth)
{
    return std::clamp((sourceWidth - 1) / 2, 0, 100);
}

TFrameSize OutputSize(const TRecordOptions& options, int sourceWidth, int sourceHeight)
{
    if (!options.modifyImages)
        return { sourceWidth, sourceHeight };
    if (options.crop) {
        const int w = sourceWidth - 2 * std::min(options.cropSides, MaxCropSides(sourceWidth));
        const int h = sourceHeight - std::min(options.cropTop, MaxCropTopBottom(sourceHeight))
            - std::min(options.cropBottom, MaxCropTopBottom(sourceHeight));
        return { std::max(w, 1), std::max(h, 1) };
    }
    return { options.width > 0 ? options.width : sourceWidth, options.height > 0 ? options.height : sourceHeight };
}

TRgbImage Stretch(const TRgbImage& source, int width, int height)
{
    if (source.width == width && source.height == height)
        return source;
    TRgbImage out(width, height);
    if (source.IsEmpty() || width <= 0 || height <= 0)
        return out;
    const double sx = static_cast<double>(source.width) / width;
    const double sy = static_cast<double>(source.height) / height;
    std::vector<int> x0(width), x1(width);
    std::vector<double> fx(width);
    for (int x = 0; x < width; ++x) {
        const double u = std::clamp((x + 0.5) * sx - 0.5, 0.0, source.width - 1.0);
        x0[x] = static_cast<int>(u);
        x1[x] = std::min(x0[x] + 1, source.width - 1);
        fx[x] = u - x0[x];
    }
    for (int y = 0; y < height; ++y) {
        const double v = std::clamp((y + 0.5) * sy - 0.5, 0.0, source.height - 1.0);
        const int y0 = static_cast<int>(v);
        const int y1 = std::min(y0 + 1, source.height - 1);
        const double fy = v - y0;
        const std::uint8_t* r0 = source.Row(y0);
        const std::uint8_t* r1 = source.Row(y1);
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double top = r0[3 * x0[x] + c] * (1 - fx[x]) + r0[3 * x1[x] + c] * fx[x];
                const double bottom = r1[3 * x0[x] + c] * (1 - fx[x]) + r1[3 * x1[x] + c] * fx[x];
                dst[3 * x + c] = static_cast<std::uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
            }
        }
    }
    return out;
}

TRgbImage TransformFrame(const TRecordOptions& options, const TRgbImage& source)
{
    const TFrameSize size = OutputSize(options, source.width, source.height);
    if (!options.modifyImages || source.IsEmpty())
        return source;
    if (!options.crop)
        return Stretch(source, size.width, size.height);
    const int left = std::min(options.cropSides, MaxCropSides(source.width));
    const int top = std::min(options.cropTop, MaxCropTopBottom(source.height));
    TRgbImage out(size.width, size.height);
    for (int y = 0; y < size.height; ++y)
        std::copy_n(source.At(left, top + y), static_cast<std::size_t>(size.width) * 3, out.Row(y));
    return out;
}

TRgbImage BlankFrame(int width, int height)
{
    TRgbImage out(width, height);
    std::fill(out.pixels.begin(), out.pixels.end(), kBlankGrey);
    return out;
}

const char* FrameworkName(int framework)
{
    switch (framework) {
    case fwGes:
        return "GStreamer Editing Services (GES)";
    case fwFFmpeg:
        return "FFMpeg";
    default:
        return "Kinoval AVI";
    }
}

const char* ContainerOf(int framework)
{
    return framework == fwFFmpeg ? "MP4" : "AVI";
}

const char* VideoExtension(int framework)
{
    return framework == fwFFmpeg ? "mp4" : "avi";
}

std::vector<std::string> SummaryLines(const TRecordOptions& options, const TSummaryFacts& facts)
{
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.3g", facts.framesPerSecond);
    std::string rateText = rate;
    std::replace(rateText.begin(), rateText.end(), '.', DecimalSeparator());
    std::vector<std::string> lines {
        FormatText(Tr("Nombre total d'images : %d"), { std::to_string(facts.totalFrames) }),
    };
    if (!facts.pictures) {
        std::string line = Tr("Nombre d'images par seconde : %.3g");
        if (const auto at = line.find("%.3g"); at != std::string::npos)
            line.replace(at, 4, rateText);
        lines.push_back(line);
    }
    lines.push_back(FormatText(Tr("Largeur de l'image en pixels : %d"), { std::to_string(facts.size.width) }));
    lines.push_back(FormatText(Tr("Hauteur de l'image en pixels : %d"), { std::to_string(facts.size.height) }));
    if (!facts.pictures)
        lines.push_back(FormatText(Tr("Images manquantes : %s"),
            { options.blankFrames ? Tr("insérer des images vides") : Tr("ne rien faire") }));
    const std::string yesNo = options.modifyImages ? Tr("oui") : Tr("non");
    if (options.modifyImages && options.crop)
        lines.push_back(FormatText(Tr("Images recadrées : %s"), { yesNo }));
    else
        lines.push_back(FormatText(Tr("Images redimensionnées : %s"), { yesNo }));
    if (facts.pictures) {
        lines.push_back(FormatText(
            Tr("Format des images : %s"), { facts.format == TPictureFormat::Bmp ? std::string("BMP") : "PNG" }));
        return lines;
    }
    lines.push_back(FormatText(Tr("Cadre de travail : %s"), { FrameworkName(options.framework) }));
    lines.push_back(FormatText(Tr("Codeur de compression : %s"), { options.codec }));
    lines.push_back(FormatText(Tr("Conteneur vidéo : %s"), { ContainerOf(options.framework) }));
    lines.push_back(Tr("Certains codecs imposent des restrictions aux dimensions des images."));
    lines.push_back(Tr("La largeur et la hauteur des images doivent souvent être des multiples de 4."));
    return lines;
}

} // namespace kinoval::montage
