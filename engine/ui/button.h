// TButton: the clickable window. A push button, a toggle (check box) or a radio button drawn from
// up to four state pictures, each a child TImage in a layer of its own; the button shows the layer
// of its visual state. A press posts kButtonPress (after kCloseWindow for a closing button), plays
// the press sound and runs the button's action.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/base/tstring.h"
#include "engine/ui/dialog_button.h"
#include "engine/ui/layered_window.h"

class TLuaFunction;
class TSound;
class TTexture;

enum TButtonType : int { kPush = 0, kToggle = 1, kRadio = 2 };

// Visual states. The stored state is never kActivated: a press only announces it to
// OnStateChanged.
enum TButtonState : int { kButtonNormal = 0, kButtonPressed = 1, kButtonRollOver = 2, kButtonActivated = 3 };

class TButton : public TLayeredWindow, public IDialogButton {
public:
    // What pressing runs besides the messages.
    class Action {
    public:
        virtual ~Action() = default;
        virtual void Do(TButton* button) = 0;
    };

    // Queues a script function as a command for the window script, with the button's name
    // available to it through "GetButtonName()".
    class LuaAction : public Action {
    public:
        explicit LuaAction(std::unique_ptr<TLuaFunction> function);
        ~LuaAction() override;
        void Do(TButton* button) override;

    private:
        std::unique_ptr<TLuaFunction> function_;
    };

    TButton();
    ~TButton() override;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TButton"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TLayeredWindow::IsKindOf(id); }

    bool OnAttach() override;
    // The style keys of a button; ends with every layer selected, so that children added next
    // (the "label") belong to every state until the first state change.
    void Init(TWindowStyle& style) override;
    void PostCreate(TWindowStyle& style) override;
    bool OnMouseDown(TPoint point) override;
    bool OnMouseUp(TPoint point) override;
    bool OnMouseMove(TPoint point) override;
    bool OnMouseLeave() override;

    // A press: OnStateChanged(3, 1), the press sound, the press messages; a toggle flips and a radio
    // button switches on. True when the button's dialog is still the top modal window afterwards.
    bool Activate() override;
    // Plays the state's sound and shows the state's layer.
    virtual void OnStateChanged(int newState, int oldState);
    virtual void SetState(int state);
    int GetState() const { return state_; }

    void SetType(int type);
    int GetType() const { return type_; }
    // Switching a radio button on switches off the other buttons of its group.
    void SetToggleState(bool on);
    bool GetToggleState() const { return options_ & kOptionOn; }
    void FlipToggle();
    // Takes ownership; null removes the action.
    void SetAction(Action* action);
    // States 0..2; the sound asset of that name, or none.
    void SetSound(int state, const TString& name);
    // Points on mask pixels whose red, green and blue are all below 20 lie outside the button.
    void SetMask(const std::shared_ptr<TTexture>& texture);
    // The text of the descendant TText named "label"; nothing without one.
    void SetLabel(const TString& text);
    TString GetLabel();

    // IDialogButton.
    bool IsDefaultButton() const override { return options_ & kOptionDefault; }
    bool IsCancelButton() const override { return options_ & kOptionCancel; }
    // kCloseWindow (for a closing button), then kButtonPress to the parent, and the action. True
    // when the action took the button out of the window tree.
    bool PostPress() override;

    bool IsSendToParent() const { return options_ & kOptionSendToParent; }
    bool IsClosing() const { return options_ & kOptionClose; }

private:
    enum : uint8_t {
        kOptionSendToParent = 1,
        kOptionOn = 2,
        kOptionClose = 4,
        kOptionDefault = 8,
        kOptionCancel = 16,
    };
    static constexpr int kSoundCount = 3;
    static constexpr int kLayerCount = 4;

    void ReadPictures(TWindowStyle& style, float scale);
    // True when the point (window coordinates) misses the button; the button then leaves its
    // pressed or roll-over state.
    bool IsOutside(TPoint point);
    bool MaskHides(TPoint point) const;
    int LayerForState(int state) const;
    bool IsAttachedToScreen() const;
    // Visible up to its modal window, and there is one.
    bool IsShownInModal() const;
    void PlaySound(int state);

    int type_ = kPush;
    int state_ = kButtonNormal;
    uint8_t options_ = 0;
    std::unique_ptr<Action> action_;
    std::shared_ptr<TSound> sounds_[kSoundCount];
    std::vector<uint32_t> mask_;
    int32_t maskWidth_ = 0;
    int32_t maskHeight_ = 0;
};

// The button the window is, or null.
TButton* WindowCastToTButton(TWindow* window);
