#pragma once

#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// The game playing one map of character rows from its start: the enemies hold
// their fire, every hit takes 15, and the sounds of the start are taken.
class PlayingGame : public ::testing::Test
{
protected:
    void Start(const std::vector<std::string>& rows, int playerDegrees = 0)
    {
        // One game at a time: the one before ends first.
        mTest.reset();
        mTest = std::make_unique<TestGame>(
            OptionsWithMaps({{"test.map", BuildMapText(rows, playerDegrees), ""}}));
        game().LoadMap(true);
        mTest->SetRandomSequence({40});
        mTest->TakeSounds();
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    int Count(EntityType type)
    {
        return static_cast<int>(std::count_if(game().mEntities.begin(), game().mEntities.end(),
                                              [type](const auto& e) { return e->mType == type; }));
    }

    std::unique_ptr<TestGame> mTest;
};
