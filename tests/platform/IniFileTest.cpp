#include "platform/Gbk.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class IniFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("ini-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "setfile.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void WriteRaw(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string ReadRaw() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::string Read(const char* key, const char* fallback = "<none>") const {
        return ReadProfileString("系统参数", key, fallback, path_);
    }

    std::filesystem::path dir_;
    std::string path_;
};

const std::string kGbkSection = Utf8ToGbk("[系统参数]");

TEST_F(IniFile, ReadsAFileWrittenOnWindows) {
    WriteRaw(kGbkSection + "\r\ncommname=COM3\r\nbaudrate=115200\r\n");
    EXPECT_EQ(Read("commname"), "COM3");
    EXPECT_EQ(Read("baudrate"), "115200");
    EXPECT_EQ(Read("bytesize"), "<none>");
}

TEST_F(IniFile, MatchesNamesWithoutCaseAndTrimsValues) {
    WriteRaw(kGbkSection + "\n  COMMNAME  =   /dev/ttyUSB0 \t\n");
    EXPECT_EQ(Read("commname"), "/dev/ttyUSB0");
    EXPECT_EQ(ReadProfileString("系统参数", "CommName", "", path_), "/dev/ttyUSB0");
}

TEST_F(IniFile, SectionNamesMayHoldGbkBytesThatLookLikeBrackets) {
    // 癩 is B0 5D in GBK; its second byte is ']'.
    ASSERT_TRUE(WriteProfileString("癩", "key", "1", path_));
    ASSERT_TRUE(WriteProfileString("癩", "key", "2", path_));
    EXPECT_EQ(ReadProfileString("癩", "key", "", path_), "2");
    EXPECT_EQ(ReadRaw(), "[\xB0\x5D]\r\nkey=2\r\n");
}

TEST_F(IniFile, StripsOnePairOfEnclosingQuotes) {
    WriteRaw(kGbkSection + "\r\nname=\"a b\"\r\nhalf=\"open\r\n");
    EXPECT_EQ(Read("name"), "a b");
    EXPECT_EQ(Read("half"), "\"open");
}

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheFallback) {
    EXPECT_EQ(Read("commname", "COM1"), "COM1");
    WriteRaw("[other]\r\ncommname=COM9\r\n");
    EXPECT_EQ(Read("commname", "COM1"), "COM1");
}

TEST_F(IniFile, CutsLongValuesAt2047Bytes) {
    WriteRaw(kGbkSection + "\r\nbig=" + std::string(10 * 1024 * 1024, '7') + "\r\n");
    EXPECT_EQ(Read("big").size(), 2047u);
}

TEST_F(IniFile, SurvivesBinaryAndTruncatedFiles) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk.push_back(static_cast<char>(i * 131 % 256));
    }
    WriteRaw(junk);
    EXPECT_EQ(Read("commname", "COM1"), "COM1");
    WriteRaw(kGbkSection + "\r\ncommname=CO");
    EXPECT_EQ(Read("commname"), "CO");
    WriteRaw(kGbkSection.substr(0, 5));
    EXPECT_EQ(Read("commname", "COM1"), "COM1");
}

TEST_F(IniFile, NewFileHoldsExactlyTheWrittenLines) {
    ASSERT_TRUE(WriteProfileString("系统参数", "commname", "COM1", path_));
    ASSERT_TRUE(WriteProfileString("系统参数", "baudrate", "9600", path_));
    EXPECT_EQ(ReadRaw(), kGbkSection + "\r\ncommname=COM1\r\nbaudrate=9600\r\n");
}

TEST_F(IniFile, ReplacesInPlaceAndKeepsOtherLinesByteForByte) {
    const std::string other = "; a comment \xff\xfe\r\n[other]\r\nkey=1\r\n\r\n";
    WriteRaw(kGbkSection + "\r\nCommName=COM3\r\nbaudrate=9600\r\n\r\n" + other);
    ASSERT_TRUE(WriteProfileString("系统参数", "commname", "COM4", path_));
    ASSERT_TRUE(WriteProfileString("系统参数", "stopbits", "2", path_));
    EXPECT_EQ(ReadRaw(),
              kGbkSection + "\r\ncommname=COM4\r\nbaudrate=9600\r\nstopbits=2\r\n\r\n" + other);
}

TEST_F(IniFile, AppendsAMissingSectionAfterAnUnterminatedLastLine) {
    WriteRaw("[other]\nkey=1");
    ASSERT_TRUE(WriteProfileString("系统参数", "commname", "COM2", path_));
    EXPECT_EQ(ReadRaw(), "[other]\nkey=1\r\n" + kGbkSection + "\r\ncommname=COM2\r\n");
}

// A lone CR does not end a line when the file is read, so it must not count
// as ended when a key is appended after it.
TEST_F(IniFile, AKeyWrittenAfterALastLineEndingInALoneCrReadsBack) {
    WriteRaw("x\r");
    ASSERT_TRUE(WriteProfileString("系统参数", "commname", "COM2", path_));
    EXPECT_EQ(Read("commname"), "COM2");

    WriteRaw("[a]\r\nj=1\r");
    ASSERT_TRUE(WriteProfileString("a", "k", "v", path_));
    EXPECT_EQ(ReadProfileString("a", "j", "", path_), "1");
    EXPECT_EQ(ReadProfileString("a", "k", "", path_), "v");
    EXPECT_EQ(ReadRaw(), "[a]\r\nj=1\r\nk=v\r\n");
}

TEST_F(IniFile, ReportsAFolderThatCannotBeWritten) {
    const std::string inMissingFolder = (dir_ / "gone" / "setfile.ini").string();
    EXPECT_FALSE(WriteProfileString("系统参数", "commname", "COM1", inMissingFolder));
    EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
}

TEST_F(IniFile, ReportsAReadOnlyFile) {
    WriteRaw(kGbkSection + "\r\ncommname=COM1\r\n");
    std::filesystem::permissions(path_, std::filesystem::perms::owner_read);
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes anywhere";
    }
    EXPECT_FALSE(WriteProfileString("系统参数", "commname", "COM2", path_));
    EXPECT_EQ(Read("commname"), "COM1");
}

}  // namespace
