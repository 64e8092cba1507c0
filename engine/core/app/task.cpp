#include "engine/core/app/task.h"

#include <algorithm>

#include "engine/core/app/application.h"
#include "engine/core/base/clock.h"

namespace {

constexpr int32_t kLateLimitMs = 1000;

template <typename T>
bool ListHolds(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <typename T>
bool EraseFrom(std::vector<T*>& list, const T* item) {
    auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

}  // namespace

TAnimTask::TAnimTask(const TClock* timeSource) : timeSource_(timeSource) {
    due_ = Now();
}

uint32_t TAnimTask::Now() const {
    return timeSource_ ? timeSource_->GetTime() : ApplicationTimer();
}

void TAnimTask::Schedule(uint32_t delay, bool repeat, bool fromNow, bool catchUp) {
    fromNow_ = fromNow;
    catchUp_ = catchUp;
    if (!fromNow && due_ != kUnscheduled) {
        due_ += delay;
    } else {
        due_ = Now() + delay;
    }
    period_ = repeat ? delay : 0;
}

int32_t TAnimTask::GetTimeSinceDue() const {
    if (due_ == kUnscheduled) return -1;
    return static_cast<int32_t>(Now() - due_);
}

void TAnimTask::Unschedule() {
    due_ = kUnscheduled;
    done_ = false;
}

void TAnimTask::SetTimeSource(const TClock* timeSource) {
    if (due_ == kUnscheduled) {
        timeSource_ = timeSource;
        return;
    }
    uint32_t left = due_ - Now();
    timeSource_ = timeSource;
    due_ = Now() + left;
}

bool TAnimTask::IsReady(int mode) {
    if (mode == 1) return done_;
    if (due_ == kUnscheduled) return false;
    return static_cast<int32_t>(Now() - due_) >= 0;
}

bool TAnimTask::Run() {
    uint32_t now = Now();
    // Far behind (the game was stalled): run once from now instead of replaying the backlog.
    if (static_cast<int32_t>(now - due_) > kLateLimitMs) due_ = now;
    bool goOn;
    do {
        due_ = fromNow_ ? Now() + period_ : due_ + period_;
        goOn = Animate();
    } while (goOn && catchUp_ && static_cast<int32_t>(due_ - Now()) < 0);
    return goOn;
}

TTaskList::~TTaskList() {
    Clear();
}

void TTaskList::AddTask(TTask* task) {
    (running_ ? added_ : tasks_).push_back(task);
}

bool TTaskList::RemoveTask(TTask* task) {
    if (EraseFrom(added_, task)) return true;
    if (!ListHolds(tasks_, task)) return false;
    if (!running_) {
        EraseFrom(tasks_, task);
    } else if (!IsBeingRemoved(task)) {
        removed_.push_back(task);
    }
    return true;
}

bool TTaskList::Contains(const TTask* task) const {
    return (ListHolds(tasks_, task) && !IsBeingRemoved(task)) || ListHolds(added_, task);
}

bool TTaskList::IsBeingRemoved(const TTask* task) const {
    return ListHolds(removed_, task);
}

void TTaskList::Run(int mode) {
    if (running_) return;  // a task running the list again would see it half-changed
    running_ = true;
    for (size_t i = 0; i < tasks_.size();) {
        TTask* task = tasks_[i];
        if (IsBeingRemoved(task) || !task->IsReady(mode) || task->Run()) {
            ++i;
            continue;
        }
        // The task has ended. It leaves the list at once, so that nobody can remove it later.
        // Its Run may have changed the list, so look it up again.
        EraseFrom(tasks_, task);
        EraseFrom(removed_, task);
        delete task;
        if (i > tasks_.size()) i = tasks_.size();
    }
    running_ = false;
    ApplyDeferredChanges();
}

void TTaskList::ApplyDeferredChanges() {
    for (TTask* task : removed_) EraseFrom(tasks_, task);
    removed_.clear();
    tasks_.insert(tasks_.end(), added_.begin(), added_.end());
    added_.clear();
}

void TTaskList::Clear() {
    std::vector<TTask*> owned;
    owned.swap(tasks_);
    owned.insert(owned.end(), added_.begin(), added_.end());
    added_.clear();
    std::vector<TTask*> handedBack;
    handedBack.swap(removed_);
    for (TTask* task : owned) {
        if (!ListHolds(handedBack, task)) delete task;
    }
}
