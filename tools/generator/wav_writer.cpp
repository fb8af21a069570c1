#include "wav_writer.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace
{
void PutLittleEndian(std::ofstream& file, std::uint32_t value, int bytes)
{
    for (int byte = 0; byte < bytes; ++byte)
    {
        file.put(static_cast<char>((value >> (8 * byte)) & 0xFF));
    }
}

std::int16_t ToPcm(float sample)
{
    const double scaled = std::lround(static_cast<double>(sample) * 32767.0);
    if (scaled > 32767.0)
    {
        return 32767;
    }
    if (scaled < -32768.0)
    {
        return -32768;
    }
    return static_cast<std::int16_t>(scaled);
}
} // namespace

void WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate)
{
    std::ofstream file(path, std::ios::binary);
    if (!file)
    {
        throw std::runtime_error("Unable to write " + path);
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    file.write("RIFF", 4);
    PutLittleEndian(file, 36 + dataBytes, 4);
    file.write("WAVE", 4);
    file.write("fmt ", 4);
    PutLittleEndian(file, 16, 4);                                         // chunk size
    PutLittleEndian(file, 1, 2);                                          // PCM
    PutLittleEndian(file, 1, 2);                                          // mono
    PutLittleEndian(file, static_cast<std::uint32_t>(sampleRate), 4);     // frames per second
    PutLittleEndian(file, static_cast<std::uint32_t>(sampleRate) * 2, 4); // bytes per second
    PutLittleEndian(file, 2, 2);                                          // bytes per frame
    PutLittleEndian(file, 16, 2);                                         // bits per sample
    file.write("data", 4);
    PutLittleEndian(file, dataBytes, 4);
    for (float sample : samples)
    {
        PutLittleEndian(file, static_cast<std::uint16_t>(ToPcm(sample)), 2);
    }
    if (!file)
    {
        throw std::runtime_error("Unable to write " + path);
    }
}
