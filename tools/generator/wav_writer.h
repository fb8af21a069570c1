#pragma once

#include <string>
#include <vector>

// Writes mono samples (-1..1) as a 16-bit PCM WAV file; throws std::runtime_error on failure.
void WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate);
