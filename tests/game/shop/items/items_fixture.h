// Shop items over the recording scene, with a small game data table: potions of 1, 3 and 2
// ingredients, 10 ingredient kinds, artifact values 40.9 and 75.
#pragma once

#include "game/data/game_tables.h"
#include "tests/game/shop/shop_fixture.h"

class ItemsTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        GameTables& tables = GetGameTables();
        tables.potions = {{15, 1, {0}}, {15, 3, {1, 2, 2}}, {15, 2, {3, 10}}};
        tables.numberOfIngredients = 10;
        tables.artifactValues = {40.9f, 75.0f};
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        ShopTest::TearDown();
    }
};
