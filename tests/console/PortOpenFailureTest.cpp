// The second line of the open-failure message, for each cause the system names.
#include <gtest/gtest.h>

#include <cerrno>

#include "console/PortOpenFailure.h"

TEST(PortOpenFailure, EachCauseSaysWhatHappenedAndWhatToDo) {
    const std::string device = "/dev/ttyUSB0";
    EXPECT_EQ(OpenFailureCause({EACCES, device, "dialout", {}}),
              QStringLiteral("没有权限打开 /dev/ttyUSB0：当前用户不在设备所属的 dialout 组。"
                             "请执行 sudo usermod -aG dialout $USER，然后重新登录。"));
    EXPECT_EQ(OpenFailureCause({EACCES, device, "", {}}),
              QStringLiteral("没有权限打开 /dev/ttyUSB0，请检查设备的访问权限。"));
    EXPECT_EQ(OpenFailureCause({EBUSY, device, "", {{4242, "minicom"}, {4343, "screen"}}}),
              QStringLiteral("/dev/ttyUSB0 被进程 minicom (PID 4242) 占用，请先关闭该程序。"));
    EXPECT_EQ(OpenFailureCause({EBUSY, device, "", {}}),
              QStringLiteral("/dev/ttyUSB0 已被其他程序占用，请先关闭该程序。"));
    for (const int gone : {ENOENT, ENODEV, ENXIO}) {
        EXPECT_EQ(OpenFailureCause({gone, device, "", {}}),
                  QStringLiteral("找不到设备 /dev/ttyUSB0：设备未连接或已拔出。"))
            << gone;
    }
    EXPECT_EQ(OpenFailureCause({ENOTTY, device, "", {}}),
              QStringLiteral("/dev/ttyUSB0 不是串口设备。"));
    EXPECT_TRUE(OpenFailureCause({EIO, device, "", {}}).contains(QStringLiteral("重新插拔")));
    EXPECT_TRUE(OpenFailureCause({EMFILE, device, "", {}})
                    .endsWith(QStringLiteral("（错误码 %1）。").arg(EMFILE)));
    EXPECT_TRUE(OpenFailureCause({0, device, "", {}}).isEmpty()) << "nothing to add";
}
