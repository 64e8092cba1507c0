#include "engine/core/base/clock.h"
#include "engine/core/app/task.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/clock/clock.h"

namespace {

class TestClockFixture : public testing::Test {
protected:
    void SetUp() override {
        platform::SetTestClock(100000);
        platform::UseClockBackend(platform::ClockBackend::Test);
    }
    void TearDown() override { platform::UseClockBackend(platform::ClockBackend::Real); }
};

using ClockTest = TestClockFixture;
using AnimTaskTest = TestClockFixture;
using TaskListTest = TestClockFixture;

TEST_F(ClockTest, PauseStartAndReset) {
    TClock clock;
    EXPECT_TRUE(clock.IsPaused());
    EXPECT_EQ(clock.GetTime(), 0u);
    platform::AdvanceTestClock(50);
    EXPECT_EQ(clock.GetTime(), 0u);  // a fresh clock does not run

    clock.Start();  // the first start begins at 0
    platform::AdvanceTestClock(300);
    EXPECT_EQ(clock.GetTime(), 300u);

    EXPECT_FALSE(clock.Pause());
    EXPECT_TRUE(clock.Pause());
    platform::AdvanceTestClock(1000);
    EXPECT_EQ(clock.GetTime(), 300u);

    clock.Start();  // continues from the frozen time
    platform::AdvanceTestClock(20);
    EXPECT_EQ(clock.GetTime(), 320u);

    clock.SetTime(5000);
    platform::AdvanceTestClock(7);
    EXPECT_EQ(clock.GetTime(), 5007u);

    clock.Reset();
    platform::AdvanceTestClock(7);
    EXPECT_TRUE(clock.IsPaused());
    EXPECT_EQ(clock.GetTime(), 0u);
}

// Counts its steps; stops after a given number when limit is set.
class CountingTask : public TAnimTask {
public:
    explicit CountingTask(const TClock* source = nullptr, int limit = -1) : TAnimTask(source), limit_(limit) {}
    int steps = 0;

protected:
    bool Animate() override {
        ++steps;
        return limit_ < 0 || steps < limit_;
    }

private:
    int limit_;
};

TEST_F(AnimTaskTest, LateRepeatingTasks) {
    struct Case {
        const char* name;
        uint32_t late;
        bool catchUp;
        bool fromNow;
        int expectedSteps;
        int32_t expectedDueFromNow;
    } cases[] = {
        {"300 ms late, catch-up: three steps", 300, true, false, 3, 0},
        {"250 ms late, catch-up", 250, true, false, 3, 50},
        {"300 ms late, no catch-up", 300, false, false, 1, -200},
        {"300 ms late, from now", 300, true, true, 1, 100},
        {"1000 ms late is still caught up", 1000, true, false, 10, 0},
        {"more than 1000 ms late: once, from now", 1001, true, false, 1, 100},
        {"5 s late: once, not 50 times", 5000, true, false, 1, 100},
        {"on time", 0, true, false, 1, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingTask task;  // due now
        task.Schedule(100, true, c.fromNow, c.catchUp);
        EXPECT_FALSE(task.IsReady(0));
        platform::AdvanceTestClock(100 + c.late);
        ASSERT_TRUE(task.IsReady(0));
        EXPECT_TRUE(task.Run());
        EXPECT_EQ(task.steps, c.expectedSteps);
        EXPECT_EQ(-task.GetTimeSinceDue(), c.expectedDueFromNow);
    }
}

TEST_F(AnimTaskTest, ScheduleUnscheduleAndDoneFlag) {
    CountingTask task;
    EXPECT_TRUE(task.IsReady(0));  // due at creation
    EXPECT_EQ(task.GetTimeSinceDue(), 0);
    task.Schedule(40, false, false, false);  // not from now: adds to the due time
    task.Schedule(40, false, false, false);
    EXPECT_EQ(task.GetTimeSinceDue(), -80);
    task.Schedule(40, false, true, false);  // from now
    EXPECT_EQ(task.GetTimeSinceDue(), -40);

    task.SetDone(true);
    EXPECT_TRUE(task.IsReady(1));
    task.Unschedule();
    EXPECT_FALSE(task.IsReady(1));  // the done flag goes with the schedule
    EXPECT_FALSE(task.IsReady(0));
    EXPECT_EQ(task.GetTimeSinceDue(), -1);
    platform::AdvanceTestClock(0x7FFFFFFF);
    EXPECT_FALSE(task.IsReady(0));
    task.Schedule(10, false, false, false);  // unscheduled: from now
    EXPECT_EQ(task.GetTimeSinceDue(), -10);
}

TEST_F(AnimTaskTest, DueTimeAcrossClockWrapAndTimeSources) {
    platform::SetTestClock(0xFFFFFF00u);
    CountingTask task;
    task.Schedule(0x200, false, true, false);  // due after the 32-bit wrap
    platform::AdvanceTestClock(0x1FF);
    EXPECT_FALSE(task.IsReady(0));
    platform::AdvanceTestClock(1);
    EXPECT_TRUE(task.IsReady(0));

    TClock windowClock;
    windowClock.Start();
    windowClock.SetTime(7000);
    CountingTask onWindow;
    onWindow.Schedule(30, false, true, false);  // 30 ms on the application timer
    onWindow.SetTimeSource(&windowClock);       // keeps the 30 ms left
    EXPECT_EQ(onWindow.GetDueTime(), 7030u);
    windowClock.Pause();
    platform::AdvanceTestClock(100);
    EXPECT_FALSE(onWindow.IsReady(0));  // the window's clock stands still
    windowClock.Start();
    platform::AdvanceTestClock(30);
    EXPECT_TRUE(onWindow.IsReady(0));
}

// Records its runs in a shared log and can act on the list while it runs.
class ScriptedTask : public TTask {
public:
    ScriptedTask(std::string name, std::vector<std::string>& log, bool* deleted = nullptr)
        : name_(std::move(name)), log_(log), deleted_(deleted) {}
    ~ScriptedTask() override {
        if (deleted_) *deleted_ = true;
    }
    bool IsReady(int mode) override { return ready; }
    bool Run() override {
        log_.push_back(name_);
        if (action) action();
        return keepGoing;
    }

    bool ready = true;
    bool keepGoing = true;
    std::function<void()> action;

private:
    std::string name_;
    std::vector<std::string>& log_;
    bool* deleted_;
};

TEST_F(TaskListTest, RunsInOrderAndDeletesFinishedTasks) {
    std::vector<std::string> log;
    bool finishedDeleted = false;
    TTaskList list;
    auto* a = new ScriptedTask("a", log);
    auto* b = new ScriptedTask("b", log, &finishedDeleted);
    auto* c = new ScriptedTask("c", log);
    b->keepGoing = false;
    c->ready = false;
    list.AddTask(a);
    list.AddTask(b);
    list.AddTask(c);
    list.Run();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(finishedDeleted);
    EXPECT_FALSE(list.Contains(b));
    c->ready = true;
    list.Run();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a", "c"}));
    EXPECT_TRUE(list.RemoveTask(c));
    EXPECT_FALSE(list.RemoveTask(c));
    delete c;
    EXPECT_EQ(list.Count(), 1u);
}

TEST_F(TaskListTest, ChangesDuringAPassWaitForItsEnd) {
    std::vector<std::string> log;
    bool removedDeleted = false;
    TTaskList list;
    auto* remover = new ScriptedTask("remover", log);
    auto* victim = new ScriptedTask("victim", log, &removedDeleted);
    list.AddTask(remover);
    list.AddTask(victim);
    auto* added = new ScriptedTask("added", log);
    remover->action = [&] {
        EXPECT_TRUE(list.RemoveTask(victim));
        list.AddTask(added);
        EXPECT_TRUE(list.Contains(added));
        EXPECT_FALSE(list.Contains(victim));
    };
    list.Run();
    // The removed task was neither run nor deleted; the added one waits for the next pass.
    EXPECT_EQ(log, (std::vector<std::string>{"remover"}));
    EXPECT_FALSE(removedDeleted);
    delete victim;

    remover->action = nullptr;
    list.Run();
    EXPECT_EQ(log, (std::vector<std::string>{"remover", "remover", "added"}));
}

TEST_F(TaskListTest, RemovingAFinishedTaskDuringThePassFails) {
    std::vector<std::string> log;
    TTaskList list;
    auto* quitter = new ScriptedTask("quitter", log);
    quitter->keepGoing = false;
    auto* late = new ScriptedTask("late", log);
    late->action = [&] { EXPECT_FALSE(list.RemoveTask(quitter)); };
    list.AddTask(quitter);
    list.AddTask(late);
    list.Run();
    EXPECT_EQ(list.Count(), 1u);
}

TEST_F(TaskListTest, ClearDeletesOwnedAndPendingTasks) {
    std::vector<std::string> log;
    bool keptDeleted = false, ownedDeleted = false, pendingDeleted = false;
    TTaskList list;
    auto* clearer = new ScriptedTask("clearer", log, &ownedDeleted);
    auto* kept = new ScriptedTask("kept", log, &keptDeleted);
    list.AddTask(kept);
    list.AddTask(clearer);
    auto* pending = new ScriptedTask("pending", log, &pendingDeleted);
    kept->action = [&] {
        list.RemoveTask(kept);
        list.AddTask(pending);
    };
    kept->keepGoing = true;
    clearer->ready = false;
    list.Run();
    EXPECT_FALSE(keptDeleted);  // handed back to its owner
    delete kept;
    list.Clear();
    EXPECT_TRUE(ownedDeleted);
    EXPECT_TRUE(pendingDeleted);
    EXPECT_EQ(list.Count(), 0u);
}

}  // namespace
