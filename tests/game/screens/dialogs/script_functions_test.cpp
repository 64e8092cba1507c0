#include <gtest/gtest.h>

#include "game/screens/dialogs/panel_dialogs.h"
#include "game/screens/scripting/script_functions.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

class Counter {
public:
    int Add(int amount) { return total += amount; }
    bool IsPositive() const { return total > 0; }
    int total = 0;
};

class ScriptFunctionsTest : public DialogTest {};

TEST_F(ScriptFunctionsTest, UnboundFunctionsAnswerNothingWhereverTheScriptKeptThem) {
    Counter counter;
    auto functions = std::make_unique<ScriptFunctions>();
    functions->Bind("addToCounter", &counter, &Counter::Add);
    functions->Bind("isCounterPositive", &counter, &Counter::IsPositive);
    Run("kept = addToCounter; first = addToCounter(5); positive = isCounterPositive()");
    EXPECT_EQ(Global("first"), "5");
    EXPECT_EQ(Global("positive"), "true");

    functions->Unbind();
    Run("late = addToCounter(5); kept_late = kept(5); positive = isCounterPositive()");
    EXPECT_EQ(counter.total, 5);
    EXPECT_EQ(Global("late"), "0");
    EXPECT_EQ(Global("kept_late"), "0");
    EXPECT_EQ(Global("positive"), "false");
    functions.reset();  // the handle's own end cuts nothing more and breaks nothing
    Run("late = addToCounter(5)");
    EXPECT_EQ(counter.total, 5);
}

TEST_F(ScriptFunctionsTest, NewestBindingKeepsTheNameWhenAnOlderOneGoes) {
    Counter older, newer;
    auto olderFunctions = std::make_unique<ScriptFunctions>();
    ScriptFunctions newerFunctions;
    olderFunctions->Bind("addToCounter", &older, &Counter::Add);
    newerFunctions.Bind("addToCounter", &newer, &Counter::Add);
    olderFunctions.reset();
    Run("addToCounter(3)");
    EXPECT_EQ(older.total, 0);
    EXPECT_EQ(newer.total, 3);
}

TEST_F(ScriptFunctionsTest, WithoutAWindowScriptNothingIsBound) {
    Counter counter;
    ScriptFunctions functions(nullptr);
    functions.Bind("addToCounter", &counter, &Counter::Add);
    Run("bound = addToCounter ~= nil");
    EXPECT_EQ(Global("bound"), "false");
}

// A closed yes/no dialog's "setBorderFx" answers nil and reaches nothing; a newer dialog's works.
TEST_F(ScriptFunctionsTest, ClosedDialogsFunctionAnswersNil) {
    clsYesNo* closed = MakeDialog<clsYesNo>();
    Run("staleSetBorderFx = setBorderFx");
    delete closed;
    Run("answer = staleSetBorderFx(3); answerByName = setBorderFx(3)");
    EXPECT_EQ(Global("answer"), "nil");
    EXPECT_EQ(Global("answerByName"), "nil");

    clsYesNo* open = MakeDialog<clsYesNo>();
    Run("staleSetBorderFx(3)");
    float points[12];
    open->GetBorder().GetEffect().GetPath().GetSegment(0, points);
    EXPECT_EQ(points[0], 652.0f);  // the stale function did not reach the new dialog
    Run("setBorderFx(3)");
    open->GetBorder().GetEffect().GetPath().GetSegment(0, points);
    EXPECT_EQ(points[0], 648.0f);
}

}  // namespace
