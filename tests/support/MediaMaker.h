#pragma once

// Small media files made with FFmpeg's encoders, so the tests keep no binaries.

#include <QString>

namespace nerav {

struct VideoRecipe
{
    const char *muxer = "mpeg"; // "mpeg" (program stream), "avi"
    const char *codec = "mpeg1video"; // an encoder's name
    int width = 352;
    int height = 288;
    int frames = 25;
    int fps = 25;
};

struct AudioRecipe
{
    const char *codec = "libmp3lame";
    int sampleRate = 44100;
    int milliseconds = 1000;
};

// Writes path; the reason when the encoder is missing or a step failed.
QString MakeVideo(const QString &path, const VideoRecipe &recipe);
QString MakeAudio(const QString &path, const AudioRecipe &recipe); // an MPEG audio file

bool HasEncoder(const char *name);

} // namespace nerav
