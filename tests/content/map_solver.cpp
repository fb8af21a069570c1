#include "map_solver.h"

#include <cstdint>
#include <map>
#include <queue>
#include <utility>

namespace
{
constexpr int DOOR_BIT = 0x80;
constexpr int FRAME_BIT = 0x40;
constexpr int MAX_SITUATIONS = 100000;
constexpr int NO_KEY = -1;
const int STEPS[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

int KeyColourOfDoor(int wall)
{
    return wall >= Walls::BLUE_DOOR && wall <= Walls::BRONZE_DOOR ? wall - Walls::BLUE_DOOR
                                                                  : NO_KEY;
}

int KeyColourOfItem(const std::string& type)
{
    if (type == "BlueKey")
    {
        return 0;
    }
    if (type == "OrangeKey")
    {
        return 1;
    }
    return type == "BronzeKey" ? 2 : NO_KEY;
}

struct Lock
{
    int x = 0;
    int y = 0;
    int colour = 0;
};

struct Key
{
    int x = 0;
    int y = 0;
    int colour = 0;
};

// Which locks are open and which keys are taken, one bit each.
struct Situation
{
    std::uint64_t opened = 0;
    std::uint64_t taken = 0;
    bool operator<(const Situation& other) const
    {
        return std::make_pair(opened, taken) < std::make_pair(other.opened, other.taken);
    }
};

class Solver
{
public:
    explicit Solver(const MapFile& map) : mMap(map), mMarked(MarkedWalls(map))
    {
        for (int y = 0; y < map.height; ++y)
        {
            for (int x = 0; x < map.width; ++x)
            {
                const int colour = KeyColourOfDoor(Tile(x, y));
                if (colour != NO_KEY && (mMarked[y * map.width + x] & DOOR_BIT) != 0)
                {
                    mLocks.push_back({x, y, colour});
                }
            }
        }
        for (const MapFileEntity& entity : map.entities)
        {
            if (KeyColourOfItem(entity.name) != NO_KEY)
            {
                mKeys.push_back({entity.x, entity.y, KeyColourOfItem(entity.name)});
            }
            if (entity.name == "Player")
            {
                mStartX = entity.x;
                mStartY = entity.y;
            }
        }
    }

    MapSolution Solve()
    {
        MapSolution solution;
        std::vector<bool> everReached(mMap.walls.size(), false);
        std::map<Situation, int> index;
        std::vector<Situation> situations;
        std::vector<std::vector<int>> next;
        std::vector<bool> atExit;
        std::queue<int> pending;
        const auto visit = [&](const Situation& situation)
        {
            const auto [place, added] =
                index.emplace(situation, static_cast<int>(situations.size()));
            if (added)
            {
                situations.push_back(situation);
                next.emplace_back();
                atExit.push_back(false);
                pending.push(place->second);
            }
            return place->second;
        };
        visit(Situation{});
        while (!pending.empty() && static_cast<int>(situations.size()) <= MAX_SITUATIONS)
        {
            const int current = pending.front();
            pending.pop();
            const Situation situation = situations[current];
            const std::vector<bool> reached = Reach(situation.opened);
            for (std::size_t cell = 0; cell < reached.size(); ++cell)
            {
                everReached[cell] = everReached[cell] || reached[cell];
            }
            atExit[current] = NextToExit(reached);
            for (const Situation& following : Moves(situation, reached))
            {
                const int target = visit(following);
                next[current].push_back(target);
            }
        }
        solution.situations = static_cast<int>(situations.size());
        solution.complete = pending.empty();
        solution.exitReachable = false;
        for (bool exit : atExit)
        {
            solution.exitReachable = solution.exitReachable || exit;
        }
        ListUnreachableItems(everReached, solution);
        ListDeadEnds(situations, next, atExit, solution);
        return solution;
    }

private:
    int Tile(int x, int y) const { return mMap.Wall(x, y); }
    int Marked(int x, int y) const { return mMarked[y * mMap.width + x]; }

    bool Passable(int x, int y, std::uint64_t opened) const
    {
        const int value = Marked(x, y);
        if (value == 0)
        {
            return true;
        }
        if ((value & FRAME_BIT) != 0 || (value & DOOR_BIT) == 0)
        {
            return false;
        }
        const int door = value & ~DOOR_BIT;
        if (door == Walls::STANDARD_DOOR)
        {
            return true;
        }
        for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
        {
            if (mLocks[lock].x == x && mLocks[lock].y == y)
            {
                return (opened >> lock & 1U) != 0;
            }
        }
        return false; // exits and fake exits never open
    }

    bool Inside(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < mMap.width && y < mMap.height;
    }

    std::vector<bool> Reach(std::uint64_t opened) const
    {
        std::vector<bool> reached(mMap.walls.size(), false);
        std::queue<std::pair<int, int>> cells;
        reached[mStartY * mMap.width + mStartX] = true;
        cells.push({mStartX, mStartY});
        while (!cells.empty())
        {
            const auto [x, y] = cells.front();
            cells.pop();
            for (const auto& step : STEPS)
            {
                const int nx = x + step[0];
                const int ny = y + step[1];
                if (Inside(nx, ny) && !reached[ny * mMap.width + nx] && Passable(nx, ny, opened))
                {
                    reached[ny * mMap.width + nx] = true;
                    cells.push({nx, ny});
                }
            }
        }
        return reached;
    }

    bool NextToCell(const std::vector<bool>& reached, int x, int y) const
    {
        for (const auto& step : STEPS)
        {
            const int nx = x + step[0];
            const int ny = y + step[1];
            if (Inside(nx, ny) && reached[ny * mMap.width + nx])
            {
                return true;
            }
        }
        return false;
    }

    bool NextToExit(const std::vector<bool>& reached) const
    {
        for (int y = 0; y < mMap.height; ++y)
        {
            for (int x = 0; x < mMap.width; ++x)
            {
                // The game's exit test reads the cell without its door bit; a frame mark
                // from a neighbouring door would spoil it.
                if ((Marked(x, y) & ~DOOR_BIT) == Walls::EXIT_DOOR && NextToCell(reached, x, y))
                {
                    return true;
                }
            }
        }
        return false;
    }

    int Held(const Situation& situation, int colour) const
    {
        int held = 0;
        for (std::size_t key = 0; key < mKeys.size(); ++key)
        {
            held += (situation.taken >> key & 1U) != 0 && mKeys[key].colour == colour ? 1 : 0;
        }
        for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
        {
            held -= (situation.opened >> lock & 1U) != 0 && mLocks[lock].colour == colour ? 1 : 0;
        }
        return held;
    }

    std::vector<Situation> Moves(const Situation& situation, const std::vector<bool>& reached) const
    {
        std::vector<Situation> moves;
        for (std::size_t key = 0; key < mKeys.size(); ++key)
        {
            const Key& k = mKeys[key];
            if ((situation.taken >> key & 1U) == 0 && reached[k.y * mMap.width + k.x] &&
                Held(situation, k.colour) == 0)
            {
                moves.push_back({situation.opened, situation.taken | (std::uint64_t{1} << key)});
            }
        }
        for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
        {
            const Lock& l = mLocks[lock];
            if ((situation.opened >> lock & 1U) == 0 && Held(situation, l.colour) > 0 &&
                NextToCell(reached, l.x, l.y))
            {
                moves.push_back({situation.opened | (std::uint64_t{1} << lock), situation.taken});
            }
        }
        return moves;
    }

    void ListUnreachableItems(const std::vector<bool>& everReached, MapSolution& solution) const
    {
        for (const MapFileEntity& entity : mMap.entities)
        {
            if (entity.name != "Player" && entity.name != "Enemy" &&
                !everReached[entity.y * mMap.width + entity.x])
            {
                solution.unreachableItems.push_back(entity.name + " at (" +
                                                    std::to_string(entity.x) + ", " +
                                                    std::to_string(entity.y) + ")");
            }
        }
    }

    std::string DescribeOpened(std::uint64_t opened) const
    {
        std::string text = "after opening";
        for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
        {
            if ((opened >> lock & 1U) != 0)
            {
                text += " (" + std::to_string(mLocks[lock].x) + ", " +
                        std::to_string(mLocks[lock].y) + ")";
            }
        }
        return text;
    }

    // Marks every situation from which an exit can still be reached, working back from
    // the situations that stand at an exit.
    void ListDeadEnds(const std::vector<Situation>& situations,
                      const std::vector<std::vector<int>>& next, const std::vector<bool>& atExit,
                      MapSolution& solution) const
    {
        std::vector<bool> hopeful = atExit;
        for (bool changed = true; changed;)
        {
            changed = false;
            for (std::size_t s = 0; s < situations.size(); ++s)
            {
                for (int following : next[s])
                {
                    if (!hopeful[s] && hopeful[following])
                    {
                        hopeful[s] = true;
                        changed = true;
                    }
                }
            }
        }
        for (std::size_t s = 0; s < situations.size(); ++s)
        {
            if (!hopeful[s])
            {
                solution.deadEnds.push_back(DescribeOpened(situations[s].opened));
            }
        }
    }

    const MapFile& mMap;
    std::vector<int> mMarked;
    std::vector<Lock> mLocks;
    std::vector<Key> mKeys;
    int mStartX = 0;
    int mStartY = 0;
};
} // namespace

std::vector<int> MarkedWalls(const MapFile& map)
{
    std::vector<int> cells = map.walls;
    const auto mark = [&](int x, int y)
    {
        if (x >= 0 && y >= 0 && x < map.width && y < map.height)
        {
            cells[y * map.width + x] |= FRAME_BIT;
        }
    };
    for (int y = 0; y < map.height; ++y)
    {
        for (int x = 0; x < map.width; ++x)
        {
            int& cell = cells[y * map.width + x];
            if (cell == Walls::STANDARD_DOOR)
            {
                cell |= DOOR_BIT;
                mark(x - 1, y);
                mark(x + 1, y);
            }
            if (cell >= Walls::BLUE_DOOR && cell <= Walls::FAKE_EXIT_DOOR)
            {
                cell |= DOOR_BIT;
                mark(x, y - 1);
                mark(x, y + 1);
            }
        }
    }
    return cells;
}

MapSolution SolveMap(const MapFile& map)
{
    return Solver(map).Solve();
}
