// TWindow: the base of every window. A window is a rectangle inside its parent with a name, flag
// bits, an owned list of children (front = topmost) and, on demand, an animation task. This header
// holds the contract every window class fulfils: the overridable operations with their defaults,
// the tree operations, placement from style tables, drawing and the routing of one input event.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/app/app_event.h"
#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "engine/ui/placement.h"

class TMessage;
class TModalWindow;
class TWindow;
class TWindowAnim;
class TWindowSpider;
class TWindowStyle;

// A window class's factory: a new object of the class, or null. Its address is the class id.
using TWindowFactory = TWindow* (*)();
// Identifies a window class for IsKindOf: the factory's address, or for a class without a factory
// the address of a tag of its own.
using TClassId = const void*;

enum TWindowFlag : uint32_t {
    kWindowModal = 0x1,
    kWindowFocusable = 0x2,
    kWindowInTargetPass = 0x4,    // drawn in the render-target pass when its parent was
    kWindowGroupStart = 0x8,      // first button of a radio group
    kWindowVisible = 0x100,
    kWindowDrawnInTarget = 0x400, // drawn in this frame's render-target pass; cleared every frame
    kWindowCovers = 0x800,        // opaque over its whole rectangle
};

// Bits SetFlags replaces; the bits below are set directly by the classes that own them.
constexpr uint32_t kWindowSettableFlags = 0xFF00;

enum TDrawMode : int { kDrawNormal = 0, kDrawTargetPass = 1, kDrawAfterTargetPass = 2 };

class TWindow {
public:
    TWindow();
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    static TWindow* Create();
    static TClassId ClassId();
    virtual const char* GetClassName() const { return "TWindow"; }
    virtual bool IsKindOf(TClassId id) const { return id == ClassId(); }

    // Attachment under a parent, as a modal window or as the screen; false refuses it.
    virtual bool OnAttach() { return true; }
    // Reads the name and placement from the style table; completes the placement once the children
    // described in the style exist ("fit" first grows the window around them).
    virtual void Init(TWindowStyle& style);
    virtual void PostCreate(TWindowStyle& style);
    // Drawing before and after the children.
    virtual void Draw() {}
    virtual void PostDraw() {}
    // Inserts at the front; with attach, the child's OnAttach may refuse (the child is then left out).
    virtual bool AddChild(TWindow* child, bool attach);
    // Takes the child out of the list without deleting it.
    virtual void RemoveChild(TWindow* child);
    // Every window below a modal window hears when that modal window is popped.
    virtual void OnModalPopped() {}
    // True: handled (the sender then deletes the message).
    virtual bool OnMessage(TMessage* message) { return false; }
    // Called every frame while the animation task runs; true keeps it running.
    virtual bool OnAnimate() { return false; }

    // Input, in the window's own coordinates; true = handled.
    virtual bool OnMouseDown(TPoint point) { return false; }
    // code: 0 right up, 1 right down, 2 middle up, 3 middle down, 4/5 extra buttons, 6/7 wheel.
    virtual bool OnMouseButton(TPoint point, int code) { return false; }
    virtual bool OnMouseUp(TPoint point) { return false; }
    virtual bool OnMouseMove(TPoint point) { return false; }
    // The window manager lets the window go from its mouse capture, or the pointer is outside it.
    virtual bool OnMouseLeave() { return false; }
    virtual bool OnChar(uint8_t character) { return false; }
    // One character as UTF-8.
    virtual bool OnTextInput(TString text) { return false; }
    // modifiers: 1 shift, 2 ctrl, 4 alt.
    virtual bool OnKeyDown(uint8_t key, int modifiers) { return false; }
    virtual bool OnKeyUp(uint8_t key) { return false; }
    // The pointer left the application window; answered by the manager's mouse-exit hook if any.
    virtual bool OnMouseExit(TPoint point);
    virtual void OnFocus(TWindow* previous) {}

    // Identity and geometry.
    uint32_t GetId() const { return id_; }
    const TString& GetName() const { return name_; }
    void SetName(const char* name) { name_ = name; }
    uint32_t GetFlags() const { return flags_; }
    bool HasFlags(uint32_t flags) const { return (flags_ & flags) == flags; }
    // Replaces bits 8-15 only.
    void SetFlags(uint32_t flags);
    const TRect& GetRect() const { return rect_; }
    int32_t GetWidth() const { return rect_.Width(); }
    int32_t GetHeight() const { return rect_.Height(); }
    TRect GetGlobalRect() const;
    TRect GetClientRect() const { return TRect(0, 0, GetWidth(), GetHeight()); }
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    TPoint ClientToParent(TPoint point) const { return {point.x + rect_.left, point.y + rect_.top}; }
    TPoint ParentToClient(TPoint point) const { return {point.x - rect_.left, point.y - rect_.top}; }
    void MoveTo(int32_t x, int32_t y);
    void SetSize(int32_t width, int32_t height);

    // Places the window from encoded coordinates, filling only the position and size fields that
    // are still 0; leaves everything when the parent's extent it needs is still 0.
    void ApplyPlacement(const TPlacement& placement);

    // The tree.
    TWindow* GetParent() const { return parent_; }
    TWindow* SetParent(TWindow* parent);
    const std::vector<TWindow*>& GetChildren() const { return children_; }
    // Nearest modal ancestor that is a TModalWindow; null when there is none.
    TModalWindow* GetModalParent() const;
    // This window when its name matches, else the first match among the children (front first)
    // down to depth levels; -1 = unlimited.
    TWindow* FindChild(const TString& name, int depth = -1);
    // Visible, and so is every window from it up to its modal window.
    bool IsVisibleToModal() const;
    // Visits the children front to back (or back to front) until the visitor answers false.
    void WalkChildren(TWindowSpider& spider, bool reverse = false);
    // Grows the window to hold all its children; never shrinks it.
    void FitToChildren();
    // Every child is taken out and handed to the window manager's deferred deletion.
    void DeleteChildren();
    // The front-most visible child under the point (parent coordinates of the children), or this.
    TWindow* ChildAt(TPoint point);
    TWindow* DeepestChildAt(TPoint point, int depth = -1);

    // Draws the window and its non-modal children under a clip rectangle; false when not drawn.
    bool DrawTree(int mode);
    // Routes one event (mouse points in this window's coordinates); true when some window handled it.
    bool HandleEvent(const TAppEvent& event, bool focusGiven);
    // Offers the message up to the first modal window, then to its focus child, then to the scripts.
    void SendMessage(TMessage* message);

    // The animation task, created on first use; it runs on the modal window's clock and task list
    // from the time the window sits below a modal window.
    TWindowAnim* GetWindowAnim();
    void StartAnim(uint32_t delay, bool repeat, bool fromNow);
    // Hands the task over, unlinking it from the window.
    TWindowAnim* DetachAnim();

protected:
    // Sets or clears bits outside the SetFlags group (modal, focusable, render-target pass, group
    // start), which the classes owning them set directly.
    void SetClassFlags(uint32_t bits, bool on) { flags_ = on ? (flags_ | bits) : (flags_ & ~bits); }

private:
    friend class TWindowAnim;

    bool HandleOwnEvent(const TAppEvent& event);
    void TakeFocus();
    bool PassOnUnhandled(const TAppEvent& event, bool focusGiven);
    void PostPressAnyKey(const TAppEvent& event);
    // Tells the modal parent whether this window covers it completely.
    void ReportCovering(bool covers);
    // Moves waiting animation tasks of this subtree onto the modal window's task list.
    void AdoptAnimations(TModalWindow* modal);

    TWindow* parent_ = nullptr;
    std::vector<TWindow*> children_;
    TRect rect_;
    TString name_;
    uint32_t flags_ = kWindowVisible;
    uint32_t id_;
    TWindowAnim* anim_ = nullptr;
    bool animWaiting_ = false;  // the task exists but no modal window's task list holds it yet
};

// Calls a window factory; null when there is none or it creates nothing.
TWindow* CallWindowCreator(TWindowFactory factory);
