#include "world/map_checker.h"

#include "world/door_marks.h"
#include "world/map_names.h"
#include "world/world_types.h"

#include <array>
#include <map>
#include <queue>
#include <tuple>
#include <utility>

namespace
{
// The locked doors opened and the keys taken are kept one bit each.
using Bits = std::uint64_t;
constexpr std::size_t MAX_TRACKED = 64;
// Every order of play is tried, which a map full of keys and locked doors
// makes too many: beyond these the search gives up rather than keep the
// editor or the terminal waiting.
constexpr std::size_t MAX_SITUATIONS = 20000;
// The cells within reach are kept, a bit a cell, for every set of open doors
// met: at most this many bits.
constexpr std::int64_t MAX_KEPT_CELLS = 100000000;
constexpr int KEY_COLOURS = 3;

constexpr int NO_COLOUR = -1;
// What a cell is to the player walking in: free, blocked, or else the index of
// the locked door standing in it.
constexpr int FREE = -1;
constexpr int BLOCKED = -2;
constexpr MapCell STEPS[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

const std::string NO_PLAYER = "no player to start from";
const std::string GAVE_UP = "too many keys and locked doors to try every order of play";
const std::string NO_EXIT = "no exit door can be reached from the start";
const std::string STRANDING_DOOR = "a key used on this door can leave the exit out of reach";
const std::string KEY_BEHIND_ITS_DOOR = " can only be reached through a door it opens";
const std::string OUT_OF_REACH = " cannot be reached";
const std::string OPEN_EDGE = "the map's edge is no wall here";

bool Has(Bits bits, std::size_t index)
{
    return (bits >> index & 1U) != 0;
}

Bits With(Bits bits, std::size_t index)
{
    return bits | Bits{1} << index;
}

// The key colour of a locked door: 0 blue, 1 orange, 2 bronze.
int ColourOfDoor(std::int32_t wall)
{
    return wall >= Walls::BLUE_DOOR && wall <= Walls::BRONZE_DOOR ? wall - Walls::BLUE_DOOR
                                                                  : NO_COLOUR;
}

int ColourOfKey(EntityType type)
{
    return type >= EntityType::BlueKey && type <= EntityType::BronzeKey
               ? static_cast<int>(type) - static_cast<int>(EntityType::BlueKey)
               : NO_COLOUR;
}

bool IsInside(const MapFile& map, MapCell cell)
{
    return cell.x >= 0 && cell.y >= 0 && cell.x < map.width && cell.y < map.height;
}

// What keeps the player in: any wall, and the exit doors, which never open.
bool ClosesTheEdge(std::int32_t wall)
{
    return wall != 0 && (wall < Walls::STANDARD_DOOR || wall > Walls::BRONZE_DOOR);
}

// A locked door or a key, and its colour.
struct Coloured
{
    MapCell cell;
    int colour = NO_COLOUR;
};

// How far play has come: which locked doors are open, which keys are taken.
// Walking about, the player picks up every key within reach unless one of its
// colour is in hand; a key in hand never costs a way anywhere, and keys of one
// colour open the same doors. So a situation is kept with every such key
// taken, and the search only chooses which locked door to open next.
struct Situation
{
    Bits opened = 0;
    Bits taken = 0;
    bool operator<(const Situation& other) const
    {
        return std::tie(opened, taken) < std::tie(other.opened, other.taken);
    }
};

// A locked door opened, leading to another situation.
struct Move
{
    std::size_t to = 0;
    std::size_t lock = 0;
};

// Every situation that play can lead to from the start, and the cells within
// reach in each.
class Search
{
public:
    Search(const MapFile& map, MapCell start);

    // False when it gave up before it had seen every situation.
    bool Run();
    // The rest only after a complete run.
    bool ExitReachable() const;
    // The locked doors on which a key can be spent so that no exit can be
    // reached any more.
    std::vector<MapCell> StrandingDoors() const;
    bool EverReached(MapCell cell) const { return mEverReached[Index(cell)]; }
    // Whether the only ways to the cell lead through doors of the colour.
    bool BehindDoorsOf(MapCell cell, int colour);

private:
    std::size_t Index(MapCell cell) const
    {
        return static_cast<std::size_t>(cell.y) * mMap.width + cell.x;
    }
    std::size_t Visit(const Situation& situation);
    // The cells within reach with the locked doors of `opened` open.
    const std::vector<bool>& Reach(Bits opened);
    // The same with one more door open: what was reached before, and what
    // lies behind that door.
    const std::vector<bool>& ReachThrough(Bits before, std::size_t lock);
    // Marks the cell and every cell it leads to; returns the cells marked.
    std::vector<MapCell> Flood(std::vector<bool>& reached, Bits opened, MapCell from) const;
    const std::vector<bool>& Keep(Bits opened, std::vector<bool> reached);
    bool NextTo(const std::vector<bool>& reached, MapCell cell) const;
    std::array<int, KEY_COLOURS> Held(const Situation& situation) const;
    Situation TakeKeysInReach(Situation situation);
    std::vector<bool> Hopeful() const;

    const MapFile& mMap;
    MapCell mStart;
    std::vector<int> mPassage;
    std::vector<MapCell> mExits;
    std::vector<Coloured> mLocks;
    std::vector<Coloured> mKeys;
    // The cells within reach for each set of open locked doors met so far.
    std::map<Bits, std::vector<bool>> mReach;
    std::int64_t mKeptCells = 0;
    std::vector<bool> mEverReached;
    std::map<Situation, std::size_t> mIndex;
    std::vector<Situation> mSituations;
    std::vector<std::vector<Move>> mMoves;
    std::vector<bool> mAtExit;
    std::queue<std::size_t> mPending;
};

Search::Search(const MapFile& map, MapCell start) : mMap(map), mStart(start)
{
    std::vector<std::int32_t> marked = map.walls;
    MarkDoors(marked, map.width, map.height);
    mPassage.assign(marked.size(), BLOCKED);
    for (std::int32_t y = 0; y < map.height; ++y)
    {
        for (std::int32_t x = 0; x < map.width; ++x)
        {
            const std::int32_t value = marked[Index({x, y})];
            const bool door = (value & DOOR_FLAG) != 0 && (value & DOOR_FRAME_FLAG) == 0;
            const int colour = door ? ColourOfDoor(value & ~DOOR_FLAG) : NO_COLOUR;
            if (value == 0 || (door && (value & ~DOOR_FLAG) == Walls::STANDARD_DOOR))
            {
                mPassage[Index({x, y})] = FREE;
            }
            else if (colour != NO_COLOUR)
            {
                mPassage[Index({x, y})] = static_cast<int>(mLocks.size());
                mLocks.push_back({{x, y}, colour});
            }
            // The game's exit test reads the cell without its door mark: a
            // frame mark from a door beside it spoils the exit.
            if ((value & ~DOOR_FLAG) == Walls::EXIT_DOOR)
            {
                mExits.push_back({x, y});
            }
        }
    }
    for (const MapFileEntity& entity : map.entities)
    {
        const int colour = ColourOfKey(EntityTypeOfName(entity.name));
        if (colour != NO_COLOUR && IsInside(map, {entity.x, entity.y}))
        {
            mKeys.push_back({{entity.x, entity.y}, colour});
        }
    }
}

bool Search::Run()
{
    if (mLocks.size() > MAX_TRACKED || mKeys.size() > MAX_TRACKED)
    {
        return false;
    }
    mEverReached = Reach(0);
    Visit(TakeKeysInReach(Situation{}));
    while (!mPending.empty())
    {
        const std::size_t current = mPending.front();
        mPending.pop();
        const Situation situation = mSituations[current];
        const std::vector<bool>& reached = Reach(situation.opened);
        for (const MapCell& exit : mExits)
        {
            mAtExit[current] = mAtExit[current] || NextTo(reached, exit);
        }
        const std::array<int, KEY_COLOURS> held = Held(situation);
        for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
        {
            if (mSituations.size() > MAX_SITUATIONS || mKeptCells > MAX_KEPT_CELLS)
            {
                return false;
            }
            const Coloured& door = mLocks[lock];
            if (!Has(situation.opened, lock) && held[door.colour] > 0 && NextTo(reached, door.cell))
            {
                ReachThrough(situation.opened, lock);
                const std::size_t next =
                    Visit(TakeKeysInReach({With(situation.opened, lock), situation.taken}));
                mMoves[current].push_back({next, lock});
            }
        }
    }
    return true;
}

std::size_t Search::Visit(const Situation& situation)
{
    const auto [place, added] = mIndex.emplace(situation, mSituations.size());
    if (added)
    {
        mPending.push(place->second);
        mSituations.push_back(situation);
        mMoves.emplace_back();
        mAtExit.push_back(false);
    }
    return place->second;
}

const std::vector<bool>& Search::Reach(Bits opened)
{
    const auto known = mReach.find(opened);
    if (known != mReach.end())
    {
        return known->second;
    }
    std::vector<bool> reached(mPassage.size(), false);
    Flood(reached, opened, mStart);
    return Keep(opened, std::move(reached));
}

const std::vector<bool>& Search::ReachThrough(Bits before, std::size_t lock)
{
    const Bits opened = With(before, lock);
    const auto known = mReach.find(opened);
    if (known != mReach.end())
    {
        return known->second;
    }
    std::vector<bool> reached = Reach(before);
    for (const MapCell& cell : Flood(reached, opened, mLocks[lock].cell))
    {
        mEverReached[Index(cell)] = true;
    }
    return Keep(opened, std::move(reached));
}

std::vector<MapCell> Search::Flood(std::vector<bool>& reached, Bits opened, MapCell from) const
{
    if (reached[Index(from)])
    {
        return {};
    }
    reached[Index(from)] = true;
    std::vector<MapCell> cells = {from};
    for (std::size_t done = 0; done < cells.size(); ++done)
    {
        const MapCell cell = cells[done];
        for (const MapCell& step : STEPS)
        {
            const MapCell next{cell.x + step.x, cell.y + step.y};
            if (!IsInside(mMap, next) || reached[Index(next)])
            {
                continue;
            }
            const int passage = mPassage[Index(next)];
            if (passage == FREE || (passage >= 0 && Has(opened, static_cast<std::size_t>(passage))))
            {
                reached[Index(next)] = true;
                cells.push_back(next);
            }
        }
    }
    return cells;
}

const std::vector<bool>& Search::Keep(Bits opened, std::vector<bool> reached)
{
    mKeptCells += static_cast<std::int64_t>(reached.size());
    return mReach.emplace(opened, std::move(reached)).first->second;
}

bool Search::NextTo(const std::vector<bool>& reached, MapCell cell) const
{
    for (const MapCell& step : STEPS)
    {
        const MapCell next{cell.x + step.x, cell.y + step.y};
        if (IsInside(mMap, next) && reached[Index(next)])
        {
            return true;
        }
    }
    return false;
}

// The keys of each colour taken and not yet spent on a door.
std::array<int, KEY_COLOURS> Search::Held(const Situation& situation) const
{
    std::array<int, KEY_COLOURS> held{};
    for (std::size_t key = 0; key < mKeys.size(); ++key)
    {
        held[mKeys[key].colour] += Has(situation.taken, key) ? 1 : 0;
    }
    for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
    {
        held[mLocks[lock].colour] -= Has(situation.opened, lock) ? 1 : 0;
    }
    return held;
}

Situation Search::TakeKeysInReach(Situation situation)
{
    const std::vector<bool>& reached = Reach(situation.opened);
    std::array<int, KEY_COLOURS> held = Held(situation);
    for (std::size_t key = 0; key < mKeys.size(); ++key)
    {
        const Coloured& k = mKeys[key];
        if (!Has(situation.taken, key) && reached[Index(k.cell)] && held[k.colour] == 0)
        {
            situation.taken = With(situation.taken, key);
            ++held[k.colour];
        }
    }
    return situation;
}

bool Search::ExitReachable() const
{
    for (bool atExit : mAtExit)
    {
        if (atExit)
        {
            return true;
        }
    }
    return false;
}

// The situations from which an exit can still be reached, worked back from
// those that stand at an exit.
std::vector<bool> Search::Hopeful() const
{
    std::vector<std::vector<std::size_t>> comesFrom(mSituations.size());
    std::queue<std::size_t> pending;
    for (std::size_t situation = 0; situation < mSituations.size(); ++situation)
    {
        for (const Move& move : mMoves[situation])
        {
            comesFrom[move.to].push_back(situation);
        }
        if (mAtExit[situation])
        {
            pending.push(situation);
        }
    }
    std::vector<bool> hopeful = mAtExit;
    while (!pending.empty())
    {
        const std::size_t situation = pending.front();
        pending.pop();
        for (std::size_t earlier : comesFrom[situation])
        {
            if (!hopeful[earlier])
            {
                hopeful[earlier] = true;
                pending.push(earlier);
            }
        }
    }
    return hopeful;
}

std::vector<MapCell> Search::StrandingDoors() const
{
    const std::vector<bool> hopeful = Hopeful();
    std::vector<bool> stranding(mLocks.size(), false);
    for (std::size_t situation = 0; situation < mSituations.size(); ++situation)
    {
        for (const Move& move : mMoves[situation])
        {
            if (hopeful[situation] && !hopeful[move.to])
            {
                stranding[move.lock] = true;
            }
        }
    }
    std::vector<MapCell> doors;
    for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
    {
        if (stranding[lock])
        {
            doors.push_back(mLocks[lock].cell);
        }
    }
    return doors;
}

bool Search::BehindDoorsOf(MapCell cell, int colour)
{
    Bits all = 0;
    Bits others = 0;
    for (std::size_t lock = 0; lock < mLocks.size(); ++lock)
    {
        all = With(all, lock);
        others = mLocks[lock].colour == colour ? others : With(others, lock);
    }
    return Reach(all)[Index(cell)] && !Reach(others)[Index(cell)];
}

std::optional<MapCell> PlayerStart(const MapFile& map)
{
    for (const MapFileEntity& entity : map.entities)
    {
        if (entity.name == EntityNames::PLAYER && IsInside(map, {entity.x, entity.y}))
        {
            return MapCell{entity.x, entity.y};
        }
    }
    return std::nullopt;
}

void ReportPlay(const MapFile& map, MapCell start, std::vector<MapProblem>& problems)
{
    Search search(map, start);
    if (!search.Run())
    {
        problems.push_back({GAVE_UP, std::nullopt});
        return;
    }
    if (!search.ExitReachable())
    {
        problems.push_back({NO_EXIT, start});
    }
    else
    {
        for (const MapCell& door : search.StrandingDoors())
        {
            problems.push_back({STRANDING_DOOR, door});
        }
    }
    for (const MapFileEntity& entity : map.entities)
    {
        const EntityType type = EntityTypeOfName(entity.name);
        const MapCell cell{entity.x, entity.y};
        if ((!IsItemType(type) && type != EntityType::Enemy) || !IsInside(map, cell) ||
            search.EverReached(cell))
        {
            continue;
        }
        const int colour = ColourOfKey(type);
        const bool behindItsDoor = colour != NO_COLOUR && search.BehindDoorsOf(cell, colour);
        problems.push_back(
            {entity.name + (behindItsDoor ? KEY_BEHIND_ITS_DOOR : OUT_OF_REACH), cell});
    }
}

void ReportOpenEdges(const MapFile& map, std::vector<MapProblem>& problems)
{
    for (std::int32_t y = 0; y < map.height; ++y)
    {
        for (std::int32_t x = 0; x < map.width; ++x)
        {
            const bool edge = x == 0 || y == 0 || x == map.width - 1 || y == map.height - 1;
            if (edge && !ClosesTheEdge(map.Wall(x, y)))
            {
                problems.push_back({OPEN_EDGE, MapCell{x, y}});
            }
        }
    }
}
} // namespace

std::string MapProblem::Line() const
{
    if (!cell)
    {
        return text;
    }
    return std::to_string(cell->x) + "," + std::to_string(cell->y) + ": " + text;
}

MapCheck MapChecker::Check(const MapFile& map)
{
    MapCheck check;
    for (const MapFileEntity& entity : map.entities)
    {
        check.bestScore += BestScorePoints(entity.name);
    }
    if (const std::optional<MapCell> start = PlayerStart(map))
    {
        ReportPlay(map, *start, check.problems);
    }
    else
    {
        check.problems.push_back({NO_PLAYER, std::nullopt});
    }
    ReportOpenEdges(map, check.problems);
    return check;
}

MapCheck MapChecker::CheckFile(std::istream& in)
{
    // The reader throws at the first fault, with the loader's message.
    return Check(ReadMapFile(in, CHECK_MAP_RULES).value());
}
