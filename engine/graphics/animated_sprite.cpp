#include "engine/graphics/animated_sprite.h"

#include <cstring>

#include "engine/core/app/application.h"
#include "engine/core/base/log.h"
#include "engine/core/app/task.h"
#include "engine/graphics/animated_texture.h"
#include "engine/graphics/graphics_state.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"

TTaskList& AnimationTaskList() {
    TApplication* application = TApplication::Instance();
    return application ? application->GetTaskList() : GetGraphicsState().animationTasks;
}

TAnimatedSprite::TAnimatedSprite(int layer) : TSprite(layer) {}

TAnimatedSprite::~TAnimatedSprite() {
    // Twice: the first pass retires what runs, the second deletes it.
    for (int pass = 0; pass < 2; ++pass) {
        TearDownThread();
        RetireEnvironment();
    }
}

std::shared_ptr<TAnimatedSprite> TAnimatedSprite::Create(int layer) {
    return std::shared_ptr<TAnimatedSprite>(new TAnimatedSprite(layer));
}

void TAnimatedSprite::SetTexture(const std::shared_ptr<TTexture>& texture) {
    TSprite::SetTexture(texture);
    animation_ = AssetCast<TAnimatedTexture>(texture);
}

int TAnimatedSprite::GetFrameCount() const {
    return animation_ ? animation_->GetFrameCount() : 1;
}

void TAnimatedSprite::SelectFrame() {
    if (animation_) animation_->SetCurrentFrame(currentFrame_);
}

void TAnimatedSprite::Draw(const TSpriteState& parent, int depth) {
    SelectFrame();
    TSprite::Draw(parent, depth);
}

bool TAnimatedSprite::HitTest(const TPoint& point, const TSpriteState& parent, int threshold, int depth) {
    SelectFrame();
    return TSprite::HitTest(point, parent, threshold, depth);
}

TRect TAnimatedSprite::GetRect(const TSpriteState& parent, int depth) {
    SelectFrame();
    TSpriteState& state = GetState();
    if ((state.flags & TSpriteState::kUseAnchor) || !animation_) return TSprite::GetRect(parent, depth);
    // The frame's registration point becomes the anchor (and stays there).
    int x = 0, y = 0;
    if (animation_->GetRegistrationPoint(animation_->GetCurrentFrame(), &x, &y)) {
        if (state.flags & TSpriteState::kMirrorX) x = animation_->GetWidth() - x;
        if (state.flags & TSpriteState::kMirrorY) y = animation_->GetHeight() - y;
        state.anchor = TVec2(static_cast<float>(x), static_cast<float>(y));
    }
    state.flags |= TSpriteState::kUseAnchor;
    TRect rect = TSprite::GetRect(parent, depth);
    state.flags &= ~TSpriteState::kUseAnchor;
    return rect;
}

void TAnimatedSprite::SetTimeSource(const TClock* timeSource) {
    timeSource_ = timeSource;
    if (thread_) thread_->SetTimeSource(timeSource);
}

void TAnimatedSprite::SetCurrentFrame(int frame) {
    if (frame < -1) return;
    currentFrame_ = frame;
    if (frame < GetFrameCount()) SelectFrame();
}

bool TAnimatedSprite::Load(const TString& name, const TString& image, const TString& mask) {
    animation_ = TAnimatedTexture::Get(image, mask, name);
    return animation_ != nullptr;
}

TString TAnimatedSprite::GetScript() const {
    return animation_ ? animation_->GetScript() : TString();
}

void TAnimatedSprite::SetAlpha(float alpha) {
    GetState().alpha = alpha;
}

void TAnimatedSprite::RemoveSprite() {
    // This may drop the last reference to the sprite: nothing may follow.
    if (TSprite* parent = GetParent()) parent->RemoveChild(shared_from_this());
}

void TAnimatedSprite::Pause(bool pause, int depth) {
    if (!thread_) return;
    if (environment_) {
        if (pause) {
            thread_->Unschedule();
        } else {
            thread_->Schedule(1, true, true, false);
        }
    }
    if (depth == 0) return;
    for (const std::shared_ptr<TSprite>& child : GetChildren())
        if (child->IsKindOf(ClassId())) static_cast<TAnimatedSprite&>(*child).Pause(pause, depth - 1);
}

bool TAnimatedSprite::IsPlaying(int depth) {
    if (thread_ && thread_->IsYielded()) return true;
    if (depth == 0) return false;
    for (const std::shared_ptr<TSprite>& child : GetChildren())
        if (child->IsKindOf(ClassId()) && static_cast<TAnimatedSprite&>(*child).IsPlaying(depth - 1)) return true;
    return false;
}

void TAnimatedSprite::DisposeEnvironment(TScript* environment) {
    if (!environment) return;
    UnbindAnimatedSpriteFunctions(*environment);
    TScript::Dispose(environment);
}

// The coroutine may be the one running right now: it is kept aside and deleted at the next teardown.
// A thread or environment the task list no longer holds was deleted with the list's other tasks.
void TAnimatedSprite::TearDownThread() {
    TScript::Dispose(retiredThread_);
    retiredThread_ = nullptr;
    TTaskList& tasks = AnimationTaskList();
    if (thread_ && tasks.Contains(thread_)) {
        if (environment_ && tasks.Contains(environment_)) RestoreGlobals();
        tasks.RemoveTask(thread_);
        thread_->Unschedule();
        retiredThread_ = thread_;
    }
    thread_ = nullptr;
}

// Gives the environment back the global table the coroutine ran with.
void TAnimatedSprite::RestoreGlobals() {
    lua_State* env = environment_->GetState();
    lua_pushvalue(thread_->GetState(), LUA_GLOBALSINDEX);
    lua_xmove(thread_->GetState(), env, 1);
    lua_pushstring(env, "_tempGlobalEnv");
    lua_pushvalue(env, -2);
    lua_settable(env, LUA_GLOBALSINDEX);
    lua_replace(env, LUA_GLOBALSINDEX);
    lua_pushstring(env, "_tempGlobalEnv");
    lua_pushnil(env);
    lua_settable(env, LUA_GLOBALSINDEX);
}

void TAnimatedSprite::StopScript() {
    TearDownThread();
}

// Keeps the environment aside (its coroutine may still be running) and deletes the previous one.
void TAnimatedSprite::RetireEnvironment() {
    DisposeEnvironment(retiredEnvironment_);
    retiredEnvironment_ = nullptr;
    TTaskList& tasks = AnimationTaskList();
    if (environment_ && tasks.Contains(environment_)) {
        tasks.RemoveTask(environment_);
        environment_->Unschedule();
        retiredEnvironment_ = environment_;
    }
    environment_ = nullptr;
}

void TAnimatedSprite::Die() {
    TearDownThread();
    RetireEnvironment();
}

void TAnimatedSprite::InitScript() {
    Die();
    environment_ = new TScript();
    environment_->SetTimeSource(timeSource_);
    AnimationTaskList().AddTask(environment_);

    lua_State* L = environment_->GetState();
    if (luaL_loadbuffer(L, kAnimationScript, std::strlen(kAnimationScript), "ganimationscript") == 0) {
        environment_->RunFunction(0, 0);
    } else {
        lua_pop(L, 1);
    }
    RegisterAnimatedSpriteFunctions(*environment_, this);

    if (animation_) {
        const TString& folder = animation_->GetFolder();
        TScript::SetSearchPath(TString::Format("?;?.lua;scripts/?;scripts/?.lua;%s?;%s?.lua", folder.CStr(),
                                               folder.CStr()));
        environment_->DoLuaString(animation_->GetScript());
    }
}

void TAnimatedSprite::Play(const TString& function) {
    // The scripts may end this sprite's life (RemoveSprite); keep it until Play returns.
    std::shared_ptr<TSprite> keep = weak_from_this().lock();
    if (!environment_) {
        if (!animation_) return;
        InitScript();
        if (!environment_) return;  // the animation's script called die()
    }
    TearDownThread();
    thread_ = environment_->CreateThreadScript();
    if (timeSource_) thread_->SetTimeSource(timeSource_);
    AnimationTaskList().AddTask(thread_);
    if (function.IsEmpty()) return;

    TScript::RunScope scope;
    lua_State* L = thread_->GetState();
    lua_pushstring(L, function.CStr());
    lua_gettable(L, LUA_GLOBALSINDEX);
    int status = lua_resume(L, 0);
    if (status != 0) {
        const char* message = lua_tostring(L, -1);
        LogPrintf("TAnimatedSprite::Play: lua_resume error: %s", message ? message : "(no message)");
    }
}
