// The port list over sysfs and /dev trees built here: what counts as a port,
// how USB adapters are described, and that nothing is opened on the way.
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/SerialPortList.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

// A fake machine: /sys/devices with the device tree, /sys/class/tty linking
// into it, and /dev with the nodes (plain files, which nobody may open:
// they are made unreadable to show that the listing never tries).
class TFakeMachine {
  public:
    TFakeMachine() {
        root_ = fs::temp_directory_path() /
                ("kelvane-ports-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(ClassTty());
        fs::create_directories(Dev());
    }
    ~TFakeMachine() { fs::remove_all(root_); }

    fs::path ClassTty() const { return root_ / "sys/class/tty"; }
    fs::path Dev() const { return root_ / "dev"; }
    TSerialPortRoots Roots() const { return {ClassTty().string(), Dev().string()}; }

    // A tty whose class entry leads to devicePath (under /sys/devices),
    // with `device` pointing at deviceDir (empty: a virtual terminal).
    fs::path AddTty(const std::string& name, const std::string& deviceDir) {
        const fs::path ttyDir =
            root_ / "sys/devices" / (deviceDir.empty() ? "virtual" : deviceDir) / "tty" / name;
        fs::create_directories(ttyDir);
        fs::create_directory_symlink(ttyDir, ClassTty() / name);
        if (!deviceDir.empty()) {
            fs::create_directory_symlink(root_ / "sys/devices" / deviceDir, ttyDir / "device");
        }
        Write(Dev() / name, "");
        fs::permissions(Dev() / name, fs::perms::none);
        return ttyDir;
    }
    fs::path UsbDevice(const std::string& path) const { return root_ / "sys/devices" / path; }

  private:
    fs::path root_;
};

}  // namespace

TEST(SerialPortList, ListsRealPortsInNaturalOrderAndDescribesUsbAdapters) {
    TFakeMachine machine;
    // An FTDI adapter: tty -> usb-serial port -> interface -> USB device.
    machine.AddTty("ttyUSB0", "pci0/usb1/1-1/1-1:1.0/ttyUSB0");
    Write(machine.UsbDevice("pci0/usb1/1-1/idVendor"), "0403");
    Write(machine.UsbDevice("pci0/usb1/1-1/idProduct"), "6001");
    Write(machine.UsbDevice("pci0/usb1/1-1/product"), "FT232R USB UART");
    Write(machine.UsbDevice("pci0/usb1/1-1/serial"), "A50285BI");
    // A CDC-ACM board without a product string: tty -> interface -> device.
    machine.AddTty("ttyACM0", "pci0/usb1/1-2/1-2:1.0");
    Write(machine.UsbDevice("pci0/usb1/1-2/idVendor"), "2341");
    Write(machine.UsbDevice("pci0/usb1/1-2/idProduct"), "0043");
    // Built-in UARTs: one that answered (type 4, a 16550A), one placeholder.
    const fs::path uart = machine.AddTty("ttyS10", "platform/serial8250");
    Write(uart / "type", "4");
    const fs::path placeholder = machine.AddTty("ttyS2", "platform/serial8250");
    Write(placeholder / "type", "0");
    machine.AddTty("ttyS1", "pnp0/00:01");
    // Not serial ports: a virtual terminal and the pty multiplexer.
    machine.AddTty("tty3", "");
    machine.AddTty("ptmx", "");
    // A vendor driver's own name, and a Bluetooth link that is not connected.
    machine.AddTty("ttyCH343USB0", "pci0/usb1/1-3/1-3:1.0");
    machine.AddTty("rfcomm0", "");

    const std::string dev = machine.Dev().string();
    EXPECT_EQ(ListSerialPorts(machine.Roots()),
              (std::vector<TSerialPortInfo>{
                  {dev + "/rfcomm0", ""},
                  {dev + "/ttyACM0", "USB 2341:0043"},
                  {dev + "/ttyCH343USB0", ""},
                  {dev + "/ttyS1", ""},
                  {dev + "/ttyS10", ""},
                  {dev + "/ttyUSB0", "FT232R USB UART (A50285BI)"},
              }));
}

TEST(SerialPortList, AddsUdevLinksThatLeadSomewhereIncludingAPtyLink) {
    TFakeMachine machine;
    machine.AddTty("ttyUSB0", "pci0/usb1/1-1/1-1:1.0/ttyUSB0");
    int master = -1;
    int slave = -1;
    char pts[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, pts, nullptr, nullptr), 0);

    const fs::path byId = machine.Dev() / "serial/by-id";
    const fs::path byPath = machine.Dev() / "serial/by-path";
    fs::create_directories(byId);
    fs::create_directories(byPath);
    fs::create_symlink(machine.Dev() / "ttyUSB0",
                       byId / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    fs::create_symlink(pts, byId / "usb-Simulated_Board-if00");
    fs::create_symlink(machine.Dev() / "ttyUSB9", byId / "usb-Unplugged-if00");  // leads nowhere
    fs::create_symlink(machine.Dev() / "ttyUSB0", byPath / "pci-0000:00:14.0-usb-0:1:1.0-port0");

    const std::string dev = machine.Dev().string();
    const std::vector<TSerialPortInfo> ports = ListSerialPorts(machine.Roots());
    EXPECT_EQ(
        ports,
        (std::vector<TSerialPortInfo>{
            {dev + "/ttyUSB0", ""},
            {(byId / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string(),
             "→ " + dev + "/ttyUSB0"},
            {(byId / "usb-Simulated_Board-if00").string(), "→ " + std::string(pts)},
            {(byPath / "pci-0000:00:14.0-usb-0:1:1.0-port0").string(), "→ " + dev + "/ttyUSB0"},
        }));
    ::close(master);
    ::close(slave);
}

TEST(SerialPortList, AMachineWithoutTheseFoldersHasNoPorts) {
    EXPECT_TRUE(ListSerialPorts({"/nonexistent/class/tty", "/nonexistent/dev"}).empty());
}
