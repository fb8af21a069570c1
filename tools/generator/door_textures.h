#pragma once

#include "canvas.h"

// The wall-atlas doors. All are fully opaque: the game makes an opening door see-through itself.
Canvas MakeStandardDoor();
// A heavier door with banding and a lock plate in the colour of the key that opens it.
Canvas MakeLockedDoor(const Rgb& keyColour);
// The door that ends a map, with a green EXIT sign over it.
Canvas MakeExitDoor();
