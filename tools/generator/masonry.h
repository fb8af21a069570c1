#pragma once

#include "canvas.h"

#include <cstdint>
#include <vector>

// One horizontal course of stones: its height and the widths of its stones (summing to the
// tile width), shifted sideways by offset so joints do not line up with the course below.
struct MasonryCourse
{
    int height;
    std::vector<int> widths;
    int offset;
};

// How a stone wall looks: colours, mortar width and how much the stones vary and wear.
struct MasonryStyle
{
    Rgb stone;
    Rgb mortar;
    int mortarWidth = 2;
    float toneJitter = 0.12f; // per-stone brightness spread
    float hueJitter = 6.0f;   // per-stone colour drift, in channel steps
    float grain = 0.18f;      // fine speckle
    float blotch = 0.20f;     // large stains
    float bevel = 0.30f;      // lit top-left edge, shaded bottom-right edge
    float wear = 0.35f;       // chipped corners
    int cracks = 2;           // stones that carry a crack
    Rgb moss{0, 0, 0};        // patches growing from the joints when mossAmount > 0
    float mossAmount = 0.0f;
    std::uint64_t seed = 1;
};

// A square tile of masonry that wraps seamlessly on both axes.
Canvas PaintMasonry(const std::vector<MasonryCourse>& courses, const MasonryStyle& style,
                    int size = 64);
