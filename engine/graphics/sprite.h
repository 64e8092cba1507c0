// TSprite: the drawable node. A texture placed by its draw state, and child sprites drawn relative
// to it: those of negative layer behind its own image, the others in front. Sprites are held by
// shared pointers; the live ones are counted in the setting "current_sprite_count".
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "engine/core/files/asset.h"
#include "engine/core/base/maths.h"
#include "engine/graphics/sprite_state.h"

class TTexture;

// Declares the class identity of a sprite class derived from Base.
#define ALEMBRIA_SPRITE_CLASS(Class, Base)                                                     \
public:                                                                                        \
    static TClassId ClassId() { return reinterpret_cast<TClassId>(&Class::ClassId); }         \
    const char* GetClassName() const override { return #Class; }                              \
    bool IsKindOf(TClassId id) const override { return id == Class::ClassId() || Base::IsKindOf(id); }

class TSprite : public std::enable_shared_from_this<TSprite> {
public:
    static TClassId ClassId() { return reinterpret_cast<TClassId>(&TSprite::ClassId); }
    virtual const char* GetClassName() const { return "TSprite"; }
    virtual bool IsKindOf(TClassId id) const { return id == ClassId(); }

    explicit TSprite(int layer);
    virtual ~TSprite();
    TSprite(const TSprite&) = delete;
    TSprite& operator=(const TSprite&) = delete;

    static std::shared_ptr<TSprite> Create(int layer, const std::shared_ptr<TTexture>& texture = nullptr);

    // depth limits the generations of children taking part: 0 this sprite alone, -1 all of them.
    virtual void Draw(const TSpriteState& parent, int depth);
    virtual bool RemoveChild(const std::shared_ptr<TSprite>& child);
    // Screen bounds {left, top, right, bottom}; {10000000, 10000000, -10000000, -10000000} when empty.
    virtual TRect GetRect(const TSpriteState& parent, int depth);
    // Inside the half-open bounds and, for threshold >= 0, the drawn alpha at the point >= threshold.
    virtual bool HitTest(const TPoint& point, const TSpriteState& parent, int threshold, int depth);
    virtual void SetTexture(const std::shared_ptr<TTexture>& texture);
    // Stable sort of the children by ascending layer.
    virtual void SortChildren();

    // Makes child the last of its layer among the children (taking it from a previous parent).
    void AddChild(const std::shared_ptr<TSprite>& child);
    const std::list<std::shared_ptr<TSprite>>& GetChildren() const { return children_; }
    TSprite* GetParent() const { return parent_; }
    std::shared_ptr<TTexture> GetTexture() const { return texture_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    int GetLayer() const { return layer_; }
    // Re-sorts the parent's children when the layer changes.
    void SetLayer(int layer);
    TSpriteState& GetState() { return state_; }
    const TSpriteState& GetState() const { return state_; }

    // The number of live sprites.
    static int LiveCount();

protected:
    // Draws the sprite's own picture with its composed state, between its back and front children.
    virtual void DrawSelf(const TSpriteState& composed);
    // The screen bounds of the sprite's own picture (empty without one).
    virtual TRect OwnRect(const TSpriteState& composed);
    // The screen bounds of a w x h box placed by a composed state as pictures are: centred on the
    // position, by the anchor, or sized by the source rectangle, as the state's flags say.
    static TRect PlaceBox(const TSpriteState& composed, float w, float h);

private:
    bool PixelHit(const TPoint& point, const TSpriteState& parent, int threshold, int depth);

    TSprite* parent_ = nullptr;
    bool visible_ = true;
    int layer_;
    std::shared_ptr<TTexture> texture_;
    TSpriteState state_;
    std::list<std::shared_ptr<TSprite>> children_;
};
