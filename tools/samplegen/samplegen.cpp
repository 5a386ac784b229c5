// kinoval_samplegen OUTPUT_FOLDER: writes cylindre.avi, parabole.avi and their ground truth
// (cylindre.txt, parabole.txt).
#include "media/avi_writer.h"
#include "scenes.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kinoval_samplegen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (auto render : { kinoval::samplegen::RenderCylinder, kinoval::samplegen::RenderParabola }) {
        kinoval::samplegen::TScene scene = render();
        kinoval::media::TAviWriter writer;
        const std::string video = folder + "/" + scene.name + ".avi";
        if (writer.Open(video, scene.width, scene.height, static_cast<unsigned>(scene.fps), 1,
                kinoval::media::TAviCodec::acMjpeg, 85)
            != 0) {
            std::fprintf(stderr, "cannot create %s\n", video.c_str());
            return 1;
        }
        for (const auto& frame : scene.frames) {
            if (writer.WriteFrame(frame) != 0) {
                std::fprintf(stderr, "cannot write %s\n", video.c_str());
                return 1;
            }
        }
        if (writer.Close() != 0)
            return 1;
        std::ofstream truth(folder + "/" + scene.name + ".txt", std::ios::trunc);
        truth << kinoval::samplegen::TruthText(scene);
        if (!truth)
            return 1;
    }
    return 0;
}
