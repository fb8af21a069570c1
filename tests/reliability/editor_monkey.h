#pragma once

#include "soak_report.h"
#include "support/test_game.h"

#include <memory>
#include <string>
#include <vector>

// Uses the real editor headless with seeded random input: painting with both
// buttons, the command keys, new maps and resizes, opening and saving under a
// handful of names (among them a map the editor cannot open), and quitting
// with and without saving, after which the editor starts again on the maps it
// saved. Every save must read back to the map on screen, and the map the
// editor cannot open must never change.
class EditorMonkey
{
public:
    explicit EditorMonkey(std::uint64_t seed);
    ~EditorMonkey();

    // Runs the events; any fault throws std::runtime_error naming the seed and
    // the event.
    SoakReport Run(long events);

private:
    void Start();
    void Stop();
    void Act();
    void ActOnMap();
    void ActInNamePrompt();
    void ActInSizePrompt();
    void ActInQuitQuestion();
    void Tap(SDL_Scancode key);
    void CheckAfterFrame(EditorActionState before);
    void CheckSavedMap();
    void CheckLayers();
    void CheckRefusedMapKept();

    std::uint64_t mSeed;
    SoakDice mDice;
    std::unique_ptr<TestGame> mTest;
    // The maps saved so far, carried from one start of the editor to the next.
    std::vector<std::pair<std::string, std::string>> mSavedMaps;
    // Return was pressed in a name prompt this step.
    bool mSubmitted = false;
    SoakReport mReport;
};

// A map the editor refuses (it is larger than 64 x 64), which it must never
// overwrite unless told to by name.
extern const char* const SOAK_REFUSED_MAP;
std::string SoakRefusedMapText();
