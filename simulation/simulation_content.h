#pragma once

#include <QByteArray>
#include <QList>
#include <vector>

#include "simulation/gif_picture.h"
#include "simulation/tframe.h"

namespace zentrix::simulation {

// What reading a simulation file fills: the picture and the panel's lists.
// Frames[n - 1] belongs to picture frame n. CursorFiles holds the bytes of each
// embedded pointer file (a .cur or .ani image), Sounds the bytes of each WAVE
// file, indexed by TZone::CursorIndex and TZone::SoundIndex.
struct SimulationContent {
    GifPicture Picture;
    std::vector<TFrame> Frames;
    QList<QByteArray> CursorFiles;
    QList<QByteArray> Sounds;

    void clear() {
        Picture.clear();
        Frames.clear();
        CursorFiles.clear();
        Sounds.clear();
    }
};

}  // namespace zentrix::simulation
