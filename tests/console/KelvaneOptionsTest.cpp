// Kelvane's own options in setfile.ini: defaults, reading, writing only what
// differs, and living beside the port settings without disturbing them.
#include "PortSettingsTestSupport.h"

#include "console/KelvaneOptions.h"
#include "console/PortSettingsFile.h"
#include "platform/Gbk.h"

namespace {

void WriteFile(const std::string& path, const std::string& lines) {
    TScratchFolder::Write(path, Utf8ToGbk("[系统参数]") + "\r\n" + lines);
}

}  // namespace

TEST(KelvaneOptions, MissingOrUnreadableValuesGiveTheDefaults) {
    TScratchFolder folder;
    TKelvaneOptions none(folder.File("setfile.ini"));
    EXPECT_TRUE(none.AutoReopen());
    EXPECT_FALSE(none.KeepDtrLowOnOpen());
    EXPECT_EQ(none.ChartPointLimit(), 10'000'000);
    EXPECT_EQ(none.TextBoxBytes(), TTextBound::kDefaultBytes);

    WriteFile(folder.File("setfile.ini"),
              "autoreopen=maybe\r\nkeepdtrlow=1\r\nchartpoints=-3\r\nboxbytes=1000\r\n");
    TKelvaneOptions odd(folder.File("setfile.ini"));
    EXPECT_TRUE(odd.AutoReopen()) << "not an integer";
    EXPECT_TRUE(odd.KeepDtrLowOnOpen());
    EXPECT_EQ(odd.ChartPointLimit(), 10'000'000) << "out of range";
    EXPECT_EQ(odd.TextBoxBytes(), TTextBound::kDefaultBytes) << "too small to show a screen";

    WriteFile(folder.File("setfile.ini"),
              "AutoReopen=0\r\nchartpoints=$1000\r\nboxbytes=1048576\r\n");
    odd.Load();
    EXPECT_FALSE(odd.AutoReopen()) << "keys match without regard to case";
    EXPECT_FALSE(odd.KeepDtrLowOnOpen()) << "Load forgets what the file no longer says";
    EXPECT_EQ(odd.ChartPointLimit(), 4096);
    EXPECT_EQ(odd.TextBoxBytes(), 1 << 20);
}

TEST(KelvaneOptions, SavingWritesWhatDiffersAndLeavesThePortSettingsAlone) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    ASSERT_TRUE(SavePortChoices({}, path));
    const std::string portSettingsOnly = TScratchFolder::Read(path);

    TKelvaneOptions options(path);
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(TScratchFolder::Read(path), portSettingsOnly) << "defaults add nothing";

    options.AutoReopen.Set(false);
    options.ChartPointLimit.Set(0);  // out of range: refused
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(TScratchFolder::Read(path), portSettingsOnly + "autoreopen=0\r\n");

    // Back at the default, a key already in the file is written, not left stale.
    options.AutoReopen.Set(true);
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(TScratchFolder::Read(path), portSettingsOnly + "autoreopen=1\r\n");
    EXPECT_EQ(ReadPortSettings(path).commname, "COM1") << "the port settings read as before";
}

TEST(KelvaneOptions, AnUnwritableFileFailsTheSave) {
    TScratchFolder folder;
    TKelvaneOptions options(folder.File("no-such-folder/setfile.ini"));
    options.KeepDtrLowOnOpen.Set(true);
    EXPECT_FALSE(options.Save());
}

TEST(KelvaneOptions, TheLanguageIsChineseUnlessTheFileSaysEnglish) {
    TScratchFolder folder;
    const std::string path = folder.File("setfile.ini");
    EXPECT_EQ(TKelvaneOptions(path).Language(), TLanguage::Chinese);
    for (const char* notALanguage : {"language=fr\r\n", "language=\r\n", "language=1\r\n"}) {
        WriteFile(path, notALanguage);
        EXPECT_EQ(TKelvaneOptions(path).Language(), TLanguage::Chinese) << notALanguage;
    }
    WriteFile(path, "language = en \r\n");
    EXPECT_EQ(TKelvaneOptions(path).Language(), TLanguage::English);

    const std::string fresh = folder.File("fresh.ini");
    ASSERT_TRUE(SavePortChoices({}, fresh));
    const std::string portSettingsOnly = TScratchFolder::Read(fresh);
    TKelvaneOptions options(fresh);
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(TScratchFolder::Read(fresh), portSettingsOnly) << "the default adds nothing";
    options.Language.Set(TLanguage::English);
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(TScratchFolder::Read(fresh), portSettingsOnly + "language=en\r\n");
}
