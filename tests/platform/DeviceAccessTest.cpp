// Who owns a device node and who holds it open, read from the system itself.
#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/DeviceAccess.h"
#include "support/DeviceChildProcesses.h"

namespace {

struct TPty {
    TPty() { ::openpty(&master, &slave, path, nullptr, nullptr); }
    ~TPty() {
        ::close(master);
        ::close(slave);
    }
    int master = -1;
    int slave = -1;
    char path[256] = {};
};

}  // namespace

TEST(DeviceAccess, NamesTheGroupThatOwnsTheNode) {
    TPty pty;
    struct stat node {};
    ASSERT_EQ(::stat(pty.path, &node), 0);
    const struct group* owner = ::getgrgid(node.st_gid);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(DeviceGroupName(pty.path), owner->gr_name);
    EXPECT_EQ(DeviceGroupName("/nonexistent/ttyUSB0"), "");
}

TEST(DeviceAccess, FindsOtherProcessesHoldingTheDeviceButNotThisOne) {
    TPty pty;
    EXPECT_TRUE(DeviceHolders(pty.path).empty()) << "this process holds it, and does not count";
    TLockHolder holder(pty.path, "kelvane-holder");
    ASSERT_TRUE(holder.Holding());
    EXPECT_EQ(DeviceHolders(pty.path),
              (std::vector<TDeviceHolder>{{holder.Pid(), "kelvane-holder"}}));
    holder.Release();
    EXPECT_TRUE(DeviceHolders(pty.path).empty());
    EXPECT_TRUE(DeviceHolders("/nonexistent/ttyUSB0").empty());
}
