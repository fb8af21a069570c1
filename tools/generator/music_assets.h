#pragma once

#include <string>

// Composes and encodes every music track into directory as Ogg Vorbis files and lists them in
// music.cfg.
void WriteMusic(const std::string& directory);
