#pragma once

#include "reference/reference_views.h"

#include <iosfwd>
#include <string>
#include <vector>

class Game;
class RendererComparison;

// Times the game's renderer and the reference renderer on the reference views
// and checks that they draw the same pictures.
class ViewBench
{
public:
    ViewBench(std::string dataDirectory, std::string scratchDirectory, std::ostream& out);

    // Prints one line per view, the two series and the summary line last;
    // false when any view differs by a pixel.
    bool Run();
    // Draws the views whose names contain `filter` with the game's renderer
    // alone for a few seconds each and prints the medians of the whole view
    // and of its drawing part (the casts and sprites are the rest).
    void Profile(const std::string& filter);

private:
    struct Timing
    {
        std::string name;
        double renderer = 0;
        double reference = 0;
        int differing = 0;

        double SpeedUp() const { return renderer > 0 ? reference / renderer : 0; }
    };

    // Medians in nanoseconds per frame; `referenceFrames` frames of the reference.
    Timing Measure(Game& game, RendererComparison& comparison, const ReferenceView& view,
                   int referenceFrames);
    void PrintView(const Timing& timing);
    // The fixed set of views: the shipped maps' starts, then the stress views.
    std::vector<ReferenceView> FixedViews() const;

    std::string mDataDirectory;
    ReferenceViews mViews;
    std::ostream& mOut;
    bool mAllIdentical = true;
};
