#include "title_images.h"

#include "title_lettering.h"

Canvas MakeTitle()
{
    return RenderLettering("QUILL 3D", 288, 64);
}

Canvas MakeOptionsTitle()
{
    return RenderLettering("OPTIONS", 320, 32);
}

Canvas MakeMapCompletedTitle()
{
    return RenderLettering("MAP COMPLETED", 256, 48);
}

Canvas MakeTheEndTitle()
{
    return RenderLettering("THE END", 256, 40);
}
