// Unplug and return with a device nobody here wrote: socat, killed and
// started again on the same links.
#include "PortSettingsTestSupport.h"

#include "console/KelvaneOptions.h"
#include "console/PortSettingsOpener.h"
#include "platform/Gbk.h"
#include "serial/Comm.h"
#include "support/SocatLink.h"

#include <fcntl.h>
#include <poll.h>

#include <QPushButton>
#include <QTest>

namespace {

std::string ReadFor(int fd, std::size_t count) {
    std::string received;
    [[maybe_unused]] const bool complete = QTest::qWaitFor(
        [&] {
            struct pollfd ready {
                fd, POLLIN, 0
            };
            char buffer[256];
            if (::poll(&ready, 1, 10) > 0) {
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n > 0) {
                    received.append(buffer, static_cast<std::size_t>(n));
                }
            }
            return received.size() >= count;
        },
        5000);
    return received;
}

}  // namespace

TEST(PortReturnInterop, ASocatDeviceKilledAndStartedAgainIsReopened) {
    if (std::string_view(KELVANE_SOCAT).empty()) {
        GTEST_SKIP() << "socat was not found when configuring";
    }
    TScratchFolder folder;
    TSocatLink link(KELVANE_SOCAT, "return");
    ASSERT_TRUE(link.Ready());
    TScratchFolder::Write(folder.File("setfile.ini"), Utf8ToGbk("[系统参数]") + "\r\ncommname=" +
                                                          link.PortA() + "\r\nbaudrate=115200\r\n");
    auto log = std::make_shared<TMessageLog>();
    TNoticeLog notices;
    TKelvaneOptions options(folder.File("setfile.ini"));
    TComm comm;
    QPushButton openButton;
    QPushButton closeButton;
    TPortOpener opener(comm, openButton, closeButton, folder.File("setfile.ini"), log, options,
                       notices);
    std::string received;
    openButton.click();
    ASSERT_TRUE(comm.IsOpen());
    comm.OnReceiveData = [&](TComm*, const std::uint8_t* data, std::uint16_t length) {
        received.append(reinterpret_cast<const char*>(data), length);
    };

    link.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.IsOpen(); }, 5000));
    EXPECT_TRUE(opener.WaitingForDevice());
    ASSERT_EQ(notices.notices.size(), 1u);

    link.Start();
    ASSERT_TRUE(link.Ready());
    ASSERT_TRUE(QTest::qWaitFor([&] { return comm.IsOpen(); }, 5000));
    EXPECT_EQ(comm.BaudRate(), 115200u);

    const int far = ::open(link.PortB().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(far, 0);
    ASSERT_EQ(::write(far, "back\n", 5), 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == "back\n"; }, 5000)) << received;
    ASSERT_TRUE(comm.SendBlock("hello", 5));
    EXPECT_EQ(ReadFor(far, 5), "hello");
    ::close(far);
}
