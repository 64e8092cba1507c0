#include "platform/instance/instance.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

std::string UniqueName(const char* what) {
    return std::string("alembriatest") + what + std::to_string(getpid());
}

TEST(Instance, NameFromProgramPath) {
    EXPECT_EQ(platform::InstanceNameOf("/Opt/Games/Alembria:1/alembria"), "optgamesalembria1alembria");
    EXPECT_EQ(platform::InstanceNameOf(""), "");
    EXPECT_FALSE(platform::InstanceName().empty());
}

TEST(Instance, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    std::string name = UniqueName("lock");
    platform::InstanceLock first, second;
    ASSERT_TRUE(first.Acquire(name));
    EXPECT_TRUE(first.IsHeld());
    EXPECT_FALSE(second.Acquire(name));
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_TRUE(second.Acquire(name));
    EXPECT_TRUE(platform::InstanceLock::LockPath(name).find(name + "_MUTEX") != std::string::npos);
}

TEST(Instance, RaiseRequestsReachTheHolder) {
    std::string name = UniqueName("raise");
    platform::InstanceLock holder;
    ASSERT_TRUE(holder.Acquire(name));
    EXPECT_FALSE(holder.TakeRaiseRequest());
    EXPECT_TRUE(platform::InstanceLock::RequestRaise(name));
    EXPECT_TRUE(platform::InstanceLock::RequestRaise(name));
    EXPECT_TRUE(holder.TakeRaiseRequest());  // both taken at once
    EXPECT_FALSE(holder.TakeRaiseRequest());
    holder.Release();
    EXPECT_FALSE(platform::InstanceLock::RequestRaise(name));  // nobody listens any more
}

TEST(Instance, LongNamesStillGetASocket) {
    std::string name = UniqueName(std::string(150, 'x').c_str());
    platform::InstanceLock holder;
    ASSERT_TRUE(holder.Acquire(name));
    EXPECT_TRUE(platform::InstanceLock::RequestRaise(name));
    EXPECT_TRUE(holder.TakeRaiseRequest());
}

}  // namespace
