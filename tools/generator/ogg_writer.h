#pragma once

#include <string>
#include <vector>

// Encodes a stereo track as Ogg Vorbis (VBR at the given quality, -0.1 .. 1). The stream serial
// number is fixed by the caller so the file is identical on every run. Throws
// std::runtime_error on failure.
void WriteOggVorbis(const std::string& path, const std::vector<float>& left,
                    const std::vector<float>& right, int sampleRate, float quality,
                    int serialNumber);
