#pragma once

#include <string>

// Synthesises every sound effect into directory as WAV files and lists them in sounds.cfg.
void WriteSounds(const std::string& directory);
