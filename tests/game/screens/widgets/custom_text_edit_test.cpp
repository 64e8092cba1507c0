#include <string>
#include <vector>

#include "game/screens/widgets/custom_text_edit.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

constexpr int kBackspace = 8;

// One thing the player does to the field and what the field and its confirm button show after it.
struct Step {
    const char* action;  // "click", "type <characters>", "backspace", "hide button"
    const char* text;
    bool buttonShown;
};

struct EditCase {
    const char* name;
    const char* fields;  // of the field's style
    bool buttonShownAtStart;
    std::vector<Step> steps;
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

class CustomTextEditTest : public WidgetTest, public testing::WithParamInterface<EditCase> {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        button = new TWindow();
        button->SetName("ok");
        dialog->AddChild(button, true);
    }

    TCustomTextEdit* MakeField(const std::string& fields) {
        auto* field = Create<TCustomTextEdit>(dialog, "{ name = 'who', x = 100, y = 100, w = 300, h = 30, " + fields + " }");
        manager->SetFocus(field);
        return field;
    }

    void Do(const std::string& action) {
        if (action == "click") {
            TPoint centre = Centre(field);
            MouseDown(centre.x, centre.y);
            MouseUp(centre.x, centre.y);
        } else if (action == "backspace") {
            Dispatch(kEventUnicodeChar, 0, 0, kBackspace);
        } else if (action == "hide button") {
            button->SetFlags(0);
        } else {
            for (char c : action.substr(5)) Dispatch(kEventUnicodeChar, 0, 0, c);
        }
        Deliver();
    }

    TWindow* button = nullptr;
    TCustomTextEdit* field = nullptr;
};

TEST_P(CustomTextEditTest, InitialTextGoesAndTheButtonFollowsTheLength) {
    const EditCase& c = GetParam();
    button->SetFlags(c.buttonShownAtStart ? uint32_t{kWindowVisible} : 0u);
    field = MakeField(c.fields);
    for (const Step& step : c.steps) {
        Do(step.action);
        EXPECT_EQ(std::string(field->GetText().CStr()), step.text) << "after " << step.action;
        EXPECT_EQ(button->HasFlags(kWindowVisible), step.buttonShown) << "after " << step.action;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CustomTextEditTest,
    testing::Values(
        EditCase{"first_key_replaces_the_initial_text",
                 "label = 'Your name', clearinitial = true, enablewindow = 'ok'",
                 false,
                 {{"type x", "x", true}, {"type y", "xy", true}}},
        EditCase{"click_clears_without_hiding",
                 "label = 'Your name', clearinitial = true, enablewindow = 'ok'",
                 true,
                 {{"click", "", true}, {"click", "", true}, {"type a", "a", true}}},
        EditCase{"backspace_hides_at_the_last_character",
                 "clearinitial = true, enablewindow = 'ok'",
                 false,
                 {{"type ab", "ab", true}, {"backspace", "a", true}, {"backspace", "", false},
                  {"backspace", "", false}}},
        EditCase{"first_backspace_removes_the_initial_text",
                 "label = 'Tessa', clearinitial = true, enablewindow = 'ok'",
                 true,
                 {{"backspace", "", false}}},
        EditCase{"initial_text_longer_than_the_field",
                 "label = 'Type your name', clearinitial = true, enablewindow = 'ok', length = 5, utf8 = true",
                 false,
                 {{"type abcdef", "abcde", true}}},
        EditCase{"full_field_leaves_the_button_alone",
                 "enablewindow = 'ok', length = 3",
                 false,
                 {{"type ab", "ab", true}, {"hide button", "ab", false}, {"type c", "ab", false}}},
        EditCase{"kept_initial_text_without_clearinitial",
                 "label = 'Tessa', enablewindow = 'ok'",
                 false,
                 {{"click", "Tessa", false}, {"type x", "Tessax", true}}},
        EditCase{"unknown_enable_window_changes_nothing",
                 "clearinitial = true, enablewindow = 'nothing'",
                 false,
                 {{"type a", "a", false}, {"backspace", "", false}}}),
    [](const testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

class CustomTextEditKindTest : public WidgetTest {};

TEST_F(CustomTextEditKindTest, IsTheFrameworksTextEditToo) {
    auto* field = Create<TCustomTextEdit>(dialog, "{ name = 'who', w = 300, h = 30 }");
    EXPECT_STREQ(field->GetClassName(), "TCustomTextEdit");
    for (TClassId id : {TCustomTextEdit::ClassId(), TTextEdit::ClassId(), TText::ClassId(), TWindow::ClassId()})
        EXPECT_TRUE(field->IsKindOf(id));
    EXPECT_TRUE(field->IsCleared());
}

}  // namespace
