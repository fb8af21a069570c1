#pragma once

#include <string>
#include <vector>

class Game;

// A place to look from, on a map, that the renderer is measured and checked
// on: its picture must be the reference renderer's to the last pixel.
struct ReferenceView
{
    std::string name;
    std::string mapPath;
    // The eye at the map's player start, or at (x, y) facing angle.
    bool fromStart = true;
    double x = 0;
    double y = 0;
    double angle = 0;
    // Every door that can be seen through is started, and the doors then run
    // this many playing steps (17 leave them half open).
    int doorSteps = 0;
};

// The fixed set of views of the benchmark and the renderer's identity tests:
// the player start of every shipped map and stress views on generated maps,
// and the two series of the same view on ever larger maps and with ever more
// sprites in sight. The generated maps are written into a scratch directory
// as the views are asked for.
class ReferenceViews
{
public:
    // Stress views of the fixed set.
    static constexpr int HALL_SPRITES = 200;
    static constexpr int HALL_SIDE = 64;
    static constexpr int CORRIDOR_DOORS = 10;
    // Playing steps that leave a door half open.
    static constexpr int HALF_OPEN_STEPS = 17;

    explicit ReferenceViews(std::string scratchDirectory);

    // The player start of every map listed in DATA/maps/map.cfg, in list order.
    std::vector<ReferenceView> ShippedStarts(const std::string& dataDirectory) const;
    // A hall with sprites in sight, a corridor of half open doors, a view
    // pressed against a wall and one across the longest open distance.
    std::vector<ReferenceView> StressViews() const;
    // The open hall with this many enemies and items in sight.
    ReferenceView Hall(int sprites) const;
    // The same view across a room, in a map of side x side cells.
    ReferenceView MapOfSide(int side) const;

    // Loads the view's map into a game started with Game::InitWorldView (a new
    // player), places the eye and runs the doors. Content errors throw.
    static void Enter(Game& game, const ReferenceView& view);

private:
    std::string WriteMap(const std::string& name, const std::string& text) const;

    std::string mDirectory;
};
