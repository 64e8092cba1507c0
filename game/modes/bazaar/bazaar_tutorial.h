// clsTutorialBazaar ("TutorialBazaarWindow"): the bazaar the first time the player comes to it. The
// shop and its upgrades stand as in the bazaar, but the pointer neither previews nor chooses them:
// the description panel shows two texts one after the other, each time the scripts call
// "tutorialNextState", and the third call ends the tutorial with "onEndTutorialShop()".
#pragma once

#include "game/modes/bazaar/bazaar.h"

class TButton;

class clsTutorialBazaar : public clsBazaar {
public:
    // The text on show: none yet, the first, the second.
    enum Step { kNoText = 0, kFirstText = 1, kSecondText = 2 };

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTutorialBazaar"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsBazaar::IsKindOf(id); }

    clsTutorialBazaar();
    ~clsTutorialBazaar() override;

    // Shows the description panel and the first text.
    void PostCreate(TWindowStyle& style) override;
    bool OnMouseDown(TPoint) override { return false; }
    bool OnMouseMove(TPoint) override { return false; }

    // The script functions: the next text, or the end after the second.
    void TutorialNextState();
    // Ends the tutorial at once; every call hands control back to the scripts.
    void FinalizeTutorial();

    int GetStep() const { return step_; }
    TButton* GetContinueButton() const { return continueButton_; }

private:
    void ShowTutorialText(int n);

    int step_ = kNoText;
    TButton* continueButton_ = nullptr;  // the layout's "btnContinue"; null when it has none
    ScriptFunctions functions_;
};
