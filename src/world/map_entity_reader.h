#pragma once

#include <string>

// One entity of a map file's entity section: its kind, facing text and cell.
struct MapEntityRecord
{
    std::string name;
    std::string angle;
    int x = -1;
    int y = -1;
};

// Reads the entity lines of a map file. Each line is a key and a value split at
// the first space; "Type", "Angle", "X" and "Y" fill the pending entity in any
// order, and it is complete as soon as all four are there.
class MapEntityReader
{
public:
    // Takes one line (a trailing carriage return is part of the line end); true
    // when the line completed an entity, which Completed() then holds.
    bool ReadLine(const std::string& line);
    const MapEntityRecord& Completed() const { return mCompleted; }

private:
    bool IsComplete() const;

    MapEntityRecord mPending;
    MapEntityRecord mCompleted;
};
