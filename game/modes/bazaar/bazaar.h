// clsBazaar ("BazaarWindow"): the bazaar between shop levels, where the player spends the money
// carried from level to level on shop upgrades. It shows the shop as the player's saved level has it,
// with an add-on and its price tag on every upgrade still for sale. Pointing at an add-on previews
// it in the description panel, a click selects it, and the scripts buy it ("buyAddon"), let it go
// ("cancelAddon"), close the money warning ("okMessageWarning") and leave ("onBtnDone"). A purchase
// is written into the saved level and the player's progress is saved at once.
//
//   bazaar.cpp           construction, class identity, the script functions and the purchase
//   bazaar_setup.cpp     the shop at the bazaar's places, the add-ons and their tags
//   bazaar_view.cpp      the panels, hover and selection, the frame update and drawing
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "game/modes/bazaar/bazaar_layout.h"
#include "game/modes/bazaar/price_tag.h"
#include "game/screens/scripting/script_functions.h"
#include "game/shop/screen/shop_game.h"

class TButton;
class TImage;
class TText;
class clsAddon;
class iGameAssets;
struct SavedLevelRecord;

class clsBazaar : public clsShopGame {
public:
    enum Mode { kNotReady = 0, kBrowsing = 1, kMoneyWarning = 2 };
    static constexpr int kDrawerSpots = kBazaarDrawerSpots;  // the shelf's potion spots

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsBazaar"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsShopGame::IsKindOf(id); }

    clsBazaar();
    ~clsBazaar() override;

    void Init(TWindowStyle& style) override;
    void PostCreate(TWindowStyle& style) override;
    bool OnAnimate() override;
    void Draw() override;
    void PostDraw() override;
    bool OnMouseDown(TPoint point) override;
    bool OnMouseButton(TPoint point, int code) override { return false; }
    bool OnMouseMove(TPoint point) override;
    bool OnKeyDown(uint8_t key, int modifiers) override { return false; }
    void OnAnimationEnded(clsAnimatedSprite* sprite) override {}
    void EndLevel(bool won) override {}

    // The bazaar's pictures and sounds, for the loading screen.
    static void PreloadAssets(iGameAssets& assets);

    // The script functions.
    void OnBtnDone();
    int BuyAddon();
    void CancelAddon();
    void OkMessageWarning();

    int GetMode() const { return mode_; }
    bool IsAllSold() const { return allSold_; }
    const std::vector<std::unique_ptr<clsAddon>>& GetAddons() const { return addons_; }
    const std::vector<std::unique_ptr<BazaarPriceTag>>& GetPriceTags() const { return priceTags_; }
    clsAddon* GetHovered() const { return hovered_; }
    clsAddon* GetSelected() const { return selected_; }
    clsSprite* GetIcon() const { return icon_.get(); }
    // The price tag of the add-on; null when it has none.
    BazaarPriceTag* FindPriceTag(const clsAddon* addon) const;

private:
    // Set-up (bazaar_setup.cpp).
    void SetUpBazaar();
    void CreateMagicBoxes();
    void CreateHeroine();
    void CreateCauldron(int index, int level);
    void CreateHarp(int level);
    void CreatePhoenix(int level);
    void CreatePerch();
    void CreateShelf(const SavedLevelRecord& saved);
    void CreateTable();
    void CreateAddons(const SavedLevelRecord& saved);
    void CreateDrawerAddons(int drawerLevel);
    clsAddon* AddAddon(int kind, int level, const TVec2& position);
    void AddPriceTag(clsAddon* addon, const TVec2& position);
    clsAddon* AddPlaceholder(int kind, int level, const TVec2& position);
    TVec2 DrawerSpotPosition(int spot);
    void StartTrophyTracker();
    void AddProbeFields();

    // The panels and the pointer (bazaar_view.cpp).
    void FindPanels();
    void ShowDescription(clsAddon* addon, bool withButtons);
    void HideDescription();
    void ShowMerchantMessage(const TString& label);
    void ShowMoneyWarning();
    void ShowScore();
    void Deselect();

    // The purchase (bazaar.cpp).
    bool RecordPurchase(SavedLevelRecord& saved, const clsAddon& addon);
    bool ApplyPurchase(clsAddon* addon);
    void MoveDrawerAddon(clsAddon* addon, int level);
    int CauldronIndexOf(const clsAddon* addon) const;

    std::unique_ptr<clsSprite> icon_;
    std::vector<std::unique_ptr<clsAddon>> addons_;
    std::vector<std::unique_ptr<BazaarPriceTag>> priceTags_;
    std::array<clsAddon*, 3> cauldronAddons_{};
    std::array<clsAddon*, kDrawerSpots> drawerAddons_{};
    clsAddon* hovered_ = nullptr;
    clsAddon* selected_ = nullptr;
    bool allSold_ = false;
    int mode_ = kNotReady;
    uint32_t lastFrameMs_ = 0;
    clsTrophyTracker* trophies_ = nullptr;  // the game's tracker; not owned

    // The layout's windows; null when the layout has none of that name and class.
    TText* merchantText_ = nullptr;
    TText* scoreText_ = nullptr;
    TText* costText_ = nullptr;
    TText* nameText_ = nullptr;
    TText* descriptionText_ = nullptr;
    TButton* buyButton_ = nullptr;
    TButton* cancelButton_ = nullptr;
    TButton* doneButton_ = nullptr;
    TImage* descriptionPanel_ = nullptr;
    TImage* descriptionContainer_ = nullptr;
    TImage* messageContainer_ = nullptr;
    TImage* warningPanel_ = nullptr;

    ScriptFunctions functions_;
};
