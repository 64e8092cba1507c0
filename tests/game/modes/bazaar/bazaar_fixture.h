// The bazaar built as the game builds it, over the shop screen's test ground: a config.xml of the
// test's own with a small add-on table, a fresh player whose saved level the test edits, and the
// window initialised and post-created under a modal window. Without pictures an add-on has no size:
// Reach gives it a 20 x 20 box around its place so the pointer can find it.
#pragma once

#include <string>

#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/text.h"

#include "game/data/saved_progress.h"
#include "game/modes/bazaar/addon.h"
#include "game/modes/bazaar/bazaar.h"
#include "game/shop/objects/scene_sprite.h"
#include "tests/game/shop/screen/shop_screen_fixture.h"

// Levels of one recipe (boxes 0 and 1); costs: cauldron 10,20,30, shoes 5,15,25, phoenix 40,50,60,
// harp 7,8,9, drawer 3,4,6; the phoenix from level index levelOfPhoenix.
inline std::string BazaarConfig(int levelOfPhoenix, const std::string& drawerCosts = "3,4,6") {
    std::string config = "<config><game><initDelay>0.5</initDelay><levelOfPlant>99</levelOfPlant><levelOfPhoenix>" +
                         std::to_string(levelOfPhoenix) + "</levelOfPhoenix></game><levels multiple=\"true\">";
    for (int level = 0; level < 12; ++level)
        config += "<level id=\"" + std::to_string(level) +
                  "\"><timeMinutes>0.5</timeMinutes><customersAtTime>1</customersAtTime><goal>20</goal>"
                  "<potions>0</potions><customersSequence>M</customersSequence><potionsTypes>0</potionsTypes>"
                  "<timeCreationClient>1000</timeCreationClient></level>";
    config += "</levels><potions multiple=\"true\"><potion id=\"p0\"><ingredients>A,B</ingredients></potion>"
              "</potions><addons multiple=\"true\">";
    const std::string costs[] = {"10,20,30", "5,15,25", "40,50,60", "7,8,9", drawerCosts};
    for (int kind = 0; kind < 5; ++kind)
        config += "<addon id=\"" + std::to_string(kind) + "\"><costPerLevel>" + costs[kind] +
                  "</costPerLevel><paramPerLevel>1,2,3</paramPerLevel></addon>";
    config += "</addons><trophies><upgradeFreak>2</upgradeFreak></trophies></config>";
    return config;
}

// A text window that keeps the text it is given (no font is loaded here to lay it out).
class ShownText : public TText {
public:
    void SetText(const TString& text) override { shown_ = text; }
    TString GetText() override { return shown_; }

private:
    TString shown_;
};

class BazaarTest : public ShopScreenTest {
protected:
    void TearDown() override {
        CloseBazaar();
        ShopScreenTest::TearDown();
    }
    SavedLevelRecord& Saved() { return GameManager::Get()->GetCurrentSavedLevel(); }

    // The bazaar, or a window derived from it (its tutorial).
    template <class Bazaar = clsBazaar>
    Bazaar* OpenBazaar(int level, int money) {
        GetLevelFlow().currentLevel = level;
        GetLevelFlow().playerMoney = money;
        auto* opened = new Bazaar();
        bazaar = opened;
        modal.AddChild(bazaar, false);
        TWindowStyle style(wrapper.get());
        bazaar->Init(style);
        AddPanels();
        bazaar->PostCreate(style);
        for (auto& addon : bazaar->GetAddons()) Reach(*addon);
        return opened;
    }
    void CloseBazaar() {
        if (!bazaar) return;
        modal.RemoveChild(bazaar);
        delete bazaar;
        bazaar = nullptr;
    }
    // The layout's windows the bazaar works with.
    void AddPanels() {
        for (const char* name : {"panelDescription", "panelMessageWarning", "containerDescription", "containerMessage"})
            Add(new TImage, name);
        for (const char* name : {"btn_buy", "btn_cancel", "btnBazaarDone"}) Add(new TButton, name);
        for (const char* name : {"txtAddonName", "txtAddonDescription", "txtAddonCost", "txtMessageMerchant", "txtScore"})
            Add(new ShownText, name);
    }
    void Add(TWindow* window, const char* name) {
        window->SetName(name);
        bazaar->AddChild(window, false);
    }
    bool Shown(const char* name) const { return bazaar->FindChild(name)->HasFlags(kWindowVisible); }
    std::string Text(const char* name) const {
        return static_cast<TText*>(bazaar->FindChild(name))->GetText().CStr();
    }
    static void Reach(clsAddon& addon) {
        addon.GetSprite()->SetBounds(TRect(-10, -10, 10, 10));
        addon.GetSprite()->Update(0.0f);
    }
    // The first add-on of the kind that the pointer can pick; null when none.
    clsAddon* Offered(int kind) const {
        for (auto& addon : bazaar->GetAddons())
            if (addon->GetKind() == kind && addon->IsSelectable()) return addon.get();
        return nullptr;
    }
    // Points at the add-on and clicks it.
    void Pick(clsAddon* addon) {
        ASSERT_NE(addon, nullptr);
        TPoint at{static_cast<int>(addon->GetSprite()->GetPosition().x),
                  static_cast<int>(addon->GetSprite()->GetPosition().y)};
        bazaar->OnMouseMove(at);
        bazaar->OnMouseDown(at);
    }

    clsBazaar* bazaar = nullptr;
};
