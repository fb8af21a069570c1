#include "pointer_images.h"

#include "image_effects.h"
#include "pixel_art.h"

Canvas MakeMenuArrow()
{
    return PixelArt({"........", "kk......", "kYkk....", "kYYykk..", "kYYyyok.", "kYyokk..",
                     "kyok....", "kk......"},
                    {{'k', {28, 14, 6, 255}},
                     {'Y', {255, 246, 176, 255}},
                     {'y', {252, 206, 80, 255}},
                     {'o', {226, 128, 30, 255}}});
}

Canvas MakeDirectionArrows()
{
    const Canvas east = PixelArt({"...#....", "...##...", "######..", "#######.", "######..",
                                  "...##...", "...#....", "........"},
                                 {{'#', {255, 240, 40, 255}}});
    // Turning the east arrow a quarter at a time gives south, west and north.
    Canvas strip(32, 8);
    Canvas arrow = east;
    for (int frame = 0; frame < 4; ++frame)
    {
        strip.Paste(arrow, frame * 8, 0);
        arrow = RotateClockwise(arrow);
    }
    return strip;
}
