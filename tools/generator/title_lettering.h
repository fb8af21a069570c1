#pragma once

#include "canvas.h"

#include <string>

// Big calligraphic capitals, written with a broad-nib quill: thick downstrokes, thin cross
// strokes, a gold-to-ember gradient, a dark outline and a drop shadow. The lettering is made as
// large as fits and centred in a width x height canvas with a transparent background; only the
// letters used by the game's headings (A C D E H I L M N O P Q S T U, 3 and space) are drawn.
// Silver ink sets the game's name apart above or beside a gilded heading.
enum class Ink
{
    Gold,
    Silver
};
Canvas RenderLettering(const std::string& text, int width, int height, Ink ink = Ink::Gold);
