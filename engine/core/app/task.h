// Deferred work: TTask, the scheduled TAnimTask and TTaskList, which runs its tasks in order
// once per idle step of the message pump.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TClock;

class TTask {
public:
    virtual ~TTask() = default;
    // Mode 1 asks the per-frame readiness; other modes the normal one.
    virtual bool IsReady(int mode) { return true; }
    // False ends the task: the list takes it out and deletes it.
    virtual bool Run() = 0;
};

// A task with a due time and an optional period, measured on a time source
// (a clock such as a window's, or the application timer when none is set).
class TAnimTask : public TTask {
public:
    static constexpr uint32_t kUnscheduled = 0xFFFFFFFFu;

    explicit TAnimTask(const TClock* timeSource = nullptr);

    void Schedule(uint32_t delay, bool repeat, bool fromNow, bool catchUp);
    // Milliseconds since the due time (negative before it); -1 when unscheduled.
    int32_t GetTimeSinceDue() const;
    void Unschedule();
    void SetDone(bool done) { done_ = done; }
    // Moves to another time source, keeping the time left to the due time.
    void SetTimeSource(const TClock* timeSource);
    uint32_t GetDueTime() const { return due_; }
    // The clock the due time is measured on; null for the application timer.
    const TClock* GetTimeSource() const { return timeSource_; }

    bool IsReady(int mode) override;
    bool Run() override;

protected:
    // One step of the animation; false ends it.
    virtual bool Animate() = 0;
    uint32_t Now() const;

private:
    bool done_ = false;
    uint32_t due_;
    uint32_t period_ = 0;
    bool fromNow_ = false;
    bool catchUp_ = false;
    const TClock* timeSource_;
};

// Owns its tasks. Adding or removing during a pass takes effect when the pass ends.
class TTaskList {
public:
    TTaskList() = default;
    ~TTaskList();
    TTaskList(const TTaskList&) = delete;
    TTaskList& operator=(const TTaskList&) = delete;

    void AddTask(TTask* task);
    // Hands the task back to the caller; false when it is not in the list.
    bool RemoveTask(TTask* task);
    void Run(int mode = 0);
    // Deletes every task (except those being removed) and empties the list.
    void Clear();
    bool Contains(const TTask* task) const;
    size_t Count() const { return tasks_.size() + added_.size(); }

private:
    bool IsBeingRemoved(const TTask* task) const;
    void ApplyDeferredChanges();

    bool running_ = false;
    std::vector<TTask*> tasks_;
    std::vector<TTask*> added_;
    std::vector<TTask*> removed_;
};
