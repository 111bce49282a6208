#include "PortSettingsTestSupport.h"

#include "console/PortSettingsFile.h"
#include "platform/Gbk.h"
#include "serial/Comm.h"

namespace {

const std::string kInitialFile = Utf8ToGbk("[系统参数]") +
                                 "\r\n"
                                 "commname=COM1\r\n"
                                 "baudrate=9600\r\n"
                                 "bytesize=8\r\n"
                                 "Outx_CtsFlow=false\r\n"
                                 "Outx_DsrFlow=false\r\n"
                                 "Outx_XonXoff=false\r\n"
                                 "Inx_XonXoff=false\r\n"
                                 "parity=none\r\n"
                                 "paritycheck=0\r\n"
                                 "stopbits=1\r\n";

std::string SettingsWith(const std::string& lines) {
    return Utf8ToGbk("[系统参数]") + "\r\n" + lines;
}

TEST(PortSettingsFile, InitialChoicesSaveAsTheElevenLines) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    ASSERT_TRUE(SavePortChoices(TPortChoices{}, path));
    EXPECT_EQ(TScratchFolder::Read(path), kInitialFile);
}

TEST(PortSettingsFile, SaveTranslatesListTexts) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    TPortChoices choices;
    choices.portName = "/tmp/kelvane-sim";
    choices.baudRate = " 115200 ";
    choices.parity = "奇校验";
    choices.parityCheck = "是";
    choices.stopBits = "1.5";
    choices.outxCtsFlow = "true";
    ASSERT_TRUE(SavePortChoices(choices, path));
    const TPortSettings read = ReadPortSettings(path);
    EXPECT_EQ(read.commname, "/tmp/kelvane-sim");
    EXPECT_EQ(read.baudrate, 115200);
    EXPECT_EQ(read.parity, "Odd");
    EXPECT_TRUE(read.paritycheck);
    EXPECT_EQ(read.stopbits, 1.5f);
    EXPECT_EQ(read.outxCtsFlow, "true");
    EXPECT_NE(TScratchFolder::Read(path).find("stopbits=1.5\r\n"), std::string::npos);
}

TEST(PortSettingsFile, SaveFailsInAFolderThatCannotBeWritten) {
    TScratchFolder folder;
    EXPECT_FALSE(SavePortChoices(TPortChoices{}, folder.File("missing/setfile.ini")));
}

TEST(PortSettingsFile, MissingEmptyOrForeignFilesGiveDefaults) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    const auto expectDefaults = [&path] {
        const TPortSettings read = ReadPortSettings(path);
        EXPECT_EQ(read.commname, "COM1");
        EXPECT_EQ(read.baudrate, 9600);
        EXPECT_EQ(read.bytesize, 8);
        EXPECT_EQ(read.parity, "none");
        EXPECT_FALSE(read.paritycheck);
        EXPECT_EQ(read.stopbits, 1.0f);
        EXPECT_EQ(read.outxCtsFlow, "false");
    };
    expectDefaults();
    TScratchFolder::Write(path, "");
    expectDefaults();
    // A file saved as UTF-8 does not carry the GBK section name.
    TScratchFolder::Write(path, "[系统参数]\r\ncommname=COM7\r\n");
    expectDefaults();
    TScratchFolder::Write(path, std::string("\0\xff\x01[\x80\n=\n", 8));
    expectDefaults();
}

TEST(PortSettingsFile, ReadsAWindowsWrittenFile) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    TScratchFolder::Write(path, kInitialFile);
    const TPortSettings read = ReadPortSettings(path);
    EXPECT_EQ(read.commname, "COM1");
    EXPECT_EQ(read.baudrate, 9600);
}

// One settings line and what the port shows after the open handler applied it
// to a port that was at 7 data bits and even parity before.
struct TReadCase {
    const char* lines;
    std::uint32_t baud;
    TByteSize byteSize;
    TParity parity;
    bool parityCheck;
    TStopBits stopBits;
    bool ctsFlow;
};

class PortSettingsReadRules : public ::testing::TestWithParam<TReadCase> {};

TEST_P(PortSettingsReadRules, AppliesToThePort) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    TScratchFolder::Write(path, SettingsWith(GetParam().lines));
    TComm comm;
    comm.SetByteSize(TByteSize::_7);
    comm.SetParity(TParity::Even);
    ApplyPortSettings(ReadPortSettings(path), comm);
    EXPECT_EQ(comm.BaudRate(), GetParam().baud);
    EXPECT_EQ(comm.ByteSize(), GetParam().byteSize);
    EXPECT_EQ(comm.Parity(), GetParam().parity);
    EXPECT_EQ(comm.ParityCheck(), GetParam().parityCheck);
    EXPECT_EQ(comm.StopBits(), GetParam().stopBits);
    EXPECT_EQ(comm.Outx_CtsFlow(), GetParam().ctsFlow);
}

constexpr auto E = TParity::Even;
INSTANTIATE_TEST_SUITE_P(
    Rules, PortSettingsReadRules,
    ::testing::Values(
        TReadCase{"", 9600, TByteSize::_8, E, false, TStopBits::_1, false},
        TReadCase{"baudrate=0x2580\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1, false},
        TReadCase{"baudrate=$1C200\r\n", 115200, TByteSize::_8, E, false, TStopBits::_1, false},
        TReadCase{"baudrate=fast\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1, false},
        TReadCase{"baudrate=-5\r\n", 4294967291u, TByteSize::_8, E, false, TStopBits::_1, false},
        TReadCase{"bytesize=9\r\n", 9600, TByteSize::_7, E, false, TStopBits::_1, false},
        TReadCase{"bytesize=99\r\n", 9600, TByteSize::_7, E, false, TStopBits::_1, false},
        TReadCase{"bytesize=5\r\n", 9600, TByteSize::_5, E, false, TStopBits::_1, false},
        TReadCase{"parity=Odd\r\nparitycheck=0\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1,
                  false},
        TReadCase{"parity=Odd\r\nparitycheck=1\r\n", 9600, TByteSize::_8, TParity::Odd, true,
                  TStopBits::_1, false},
        TReadCase{"parity=odd\r\nparitycheck=$A\r\n", 9600, TByteSize::_8, TParity::None, true,
                  TStopBits::_1, false},
        TReadCase{"parity=Mark\r\nparitycheck=true\r\n", 9600, TByteSize::_8, E, false,
                  TStopBits::_1, false},
        TReadCase{"stopbits=1.5\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1_5, false},
        TReadCase{"stopbits=2\r\n", 9600, TByteSize::_8, E, false, TStopBits::_2, false},
        TReadCase{"stopbits=3\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1_5, false},
        TReadCase{"stopbits=0\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1_5, false},
        TReadCase{"stopbits=1.2\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1_5, false},
        TReadCase{"stopbits=abc\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1, false},
        TReadCase{"Outx_CtsFlow=False\r\n", 9600, TByteSize::_8, E, false, TStopBits::_1, true},
        TReadCase{"OUTX_CTSFLOW = false \r\n", 9600, TByteSize::_8, E, false, TStopBits::_1,
                  false}));

TEST(PortSettingsFile, FlowFlagsAreFalseOnlyForTheExactText) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    TScratchFolder::Write(
        path, SettingsWith("Outx_DsrFlow=no\r\nOutx_XonXoff=false\r\nInx_XonXoff=0\r\n"));
    TComm comm;
    ApplyPortSettings(ReadPortSettings(path), comm);
    EXPECT_TRUE(comm.Outx_DsrFlow());
    EXPECT_FALSE(comm.Outx_XonXoffFlow());
    EXPECT_TRUE(comm.Inx_XonXoffFlow());
    EXPECT_FALSE(comm.Outx_CtsFlow());
}

}  // namespace
