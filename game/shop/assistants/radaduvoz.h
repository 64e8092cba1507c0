// clsRadaduvoz: the tentacle creature that brings a spent artifact back. Given an artifact, it waits
// the preparation time, then its tentacle rises at the artifact's slot on the holder and, at frame 15
// of that animation, makes the artifact ready again. Its body shows only while the tentacle acts.
#pragma once

#include "game/shop/objects/actor.h"

class iArtifactHolder;
class iGameAssets;

class clsRadaduvoz : public clsActor {
public:
    enum Mode {
        kIdle = 0,  // can take an artifact
        kPreparing = 1,  // the preparation time runs
        kDelivering = 2,  // the tentacle rises at the slot
        kDelivered = 3,  // the artifact is ready; the tentacle goes down
    };
    static constexpr int kResetFrame = 15;
    static constexpr int kSlotCount = 9;

    // holder: the shop's artifact holder (not owned); charmBits: the charms of the player's saved
    // level (the preparation charm shortens the time).
    clsRadaduvoz(iGameScene* owner, iArtifactHolder* holder, int charmBits);

    // It has no standing animation.
    void RefreshAnimation() override {}
    // The tentacle is down again: idle and hidden.
    void OnMoveEnded() override;
    // The preparation, then the delivery.
    void Update(float dt) override;

    // Starts preparing the artifact (nothing for -1).
    void StartDelivery(int artifactId);
    // The preparation time left (the whole of it right after StartDelivery).
    float GetDeliveryTime() const { return timerSeconds_; }
    // The tentacle rises at the slot; for no slot (-1, or past the last) it goes idle unseen.
    void PlayDeliver(int slot);

    int GetMode() const { return mode_; }
    int GetSlot() const { return slot_; }
    int GetArtifact() const { return artifact_; }
    // The preparation time of every artifact, charm included.
    float GetPreparationSeconds() const { return preparationSeconds_; }

private:
    iArtifactHolder* holder_;
    float timerSeconds_ = 0.0f;  // preparation left
    int slot_ = -1;
    int mode_ = kIdle;
    int artifact_ = -1;
    float preparationSeconds_;
};

void PreloadRadaduvozAnims(iGameAssets& assets);
