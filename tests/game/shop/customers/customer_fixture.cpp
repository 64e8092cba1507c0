#include "tests/game/shop/customers/customer_fixture.h"

namespace customertest {

namespace {

// "frames{1,2,...,count}".
std::string FrameRun(int first, int last) {
    std::string list;
    for (int frame = first; frame <= last; ++frame) list += (list.empty() ? "" : ",") + std::to_string(frame);
    return "frames{" + list + "}";
}

std::string Action(const std::string& name, int first, int last, bool loop = false) {
    std::string run = FrameRun(first, last);
    return "function " + name + "() " + (loop ? "while true do " + run + " end" : run) + " end ";
}

struct CustomerImage {
    const char* name;
    int frameCount;
    std::string script;
};

// Long enough leave animations for the latest jump (frame 20 of the ogre's angry leave).
const CustomerImage kImages[] = {
    {"appear", 6, Action("appear", 1, 2, true) + Action("DoAnim", 3, 6)},
    {"stand", 4, Action("DoAnim", 1, 4, true)},
    {"stand02", 4, Action("DoAnim", 1, 4)},
    {"stand2", 4, Action("DoAnim", 1, 4)},
    {"angry", 6, Action("Start", 1, 2) + Action("Loop", 3, 4, true) + Action("End", 5, 6)},
    {"standangry", 6, Action("Start", 1, 2) + Action("Loop", 3, 4, true) + Action("End", 5, 6)},
    {"take_item", 3, Action("DoAnim", 1, 3)},
    {"disappear", 24, Action("DoAnim", 1, 24)},
    {"disappear_angry", 24, Action("DoAnim", 1, 24)},
};

const char* const kPrefixes[] = {"anim/2head/2head_", "anim/druid/druid_",     "anim/mage/mage_",
                                 "anim/medusa/medusa_", "anim/shadow/shadow_", "anim/vampire/vampire_",
                                 "anim/witch/witch_"};

}  // namespace

void CustomerTest::AddCustomerArt() {
    for (const char* prefix : kPrefixes)
        for (const CustomerImage& image : kImages)
            AddAnimation(std::string(prefix) + image.name, image.frameCount, image.script);
    AddAnimation("anim/thought", 2);
    AddAnimation("anim/thought_2", 2);
    for (int bar = 1; bar <= 10; ++bar) AddPicture(PatienceBarImage(bar), 64, 12);
    for (int potion = 1; potion <= 3; ++potion) AddPicture("anim/potions/icons/potion" + std::to_string(potion), 4, 4);
    AddPicture("anim/plant/plant_fruit", 4, 4);
    for (int artifact = 1; artifact <= 2; ++artifact)
        AddPicture("anim/artifacts/artifact_" + std::to_string(artifact), 4, 4);
    AddPicture("anim/shadow_sprite", 8, 4);
}

}  // namespace customertest
