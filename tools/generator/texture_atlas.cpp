#include "texture_atlas.h"

Canvas MakeFilledAtlas(const Canvas& filler)
{
    Canvas atlas(ATLAS_TILE_SIZE * ATLAS_TILES_PER_ROW, ATLAS_TILE_SIZE * ATLAS_TILES_PER_ROW);
    for (int index = 0; index < ATLAS_TILES_PER_ROW * ATLAS_TILES_PER_ROW; ++index)
    {
        PlaceTile(atlas, filler, index);
    }
    return atlas;
}

void PlaceTile(Canvas& atlas, const Canvas& tile, int index)
{
    atlas.Paste(tile, (index % ATLAS_TILES_PER_ROW) * ATLAS_TILE_SIZE,
                (index / ATLAS_TILES_PER_ROW) * ATLAS_TILE_SIZE);
}
