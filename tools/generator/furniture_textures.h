#pragma once

#include "canvas.h"

// A wooden bookshelf, either packed with books or emptied (a fireball burns the books away).
Canvas MakeBookshelf(bool withBooks);
// A fireplace set into the given wall tile; frames 0 and 1 differ in their flames so the
// fire flickers when the game alternates them.
Canvas MakeFireplace(const Canvas& wall, int frame);
