#pragma once

#include "canvas.h"

// The headings of the menu and between-map screens.
Canvas MakeTitle();             // "title.png": QUILL 3D
Canvas MakeOptionsTitle();      // "options.png": OPTIONS
Canvas MakeMapCompletedTitle(); // "map_completed.png": MAP COMPLETED
Canvas MakeTheEndTitle();       // "the_end.png": THE END
