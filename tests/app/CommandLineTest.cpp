// The command line: what each option sets, the forms it is given in, and the
// refusals that make the program end with a clear message.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

TCommandLineResult Parse(std::initializer_list<const char*> arguments) {
    QStringList list;
    for (const char* argument : arguments) {
        list << QString::fromUtf8(argument);
    }
    return ParseCommandLine(list);
}

TEST(CommandLine, NoArgumentsChangeNothing) {
    const TCommandLineResult result = Parse({});
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_FALSE(result.line.port);
    EXPECT_FALSE(result.line.baud);
    EXPECT_FALSE(result.line.open);
    EXPECT_EQ(result.line.plot, TStartPlotting::None);
    EXPECT_FALSE(result.line.language) << "the stored language stays";
    EXPECT_FALSE(result.line.help || result.line.version);
}

TEST(CommandLine, EveryOptionInBothForms) {
    const TCommandLineResult spaced =
        Parse({"--port", "/dev/ttyUSB0", "--baud", "115200", "--open", "--plot", "hex"});
    ASSERT_TRUE(spaced.error.isEmpty()) << spaced.error.toStdString();
    EXPECT_EQ(spaced.line.port, "/dev/ttyUSB0");
    EXPECT_EQ(spaced.line.baud, 115200);
    EXPECT_TRUE(spaced.line.open);
    EXPECT_EQ(spaced.line.plot, TStartPlotting::Hex);

    const TCommandLineResult joined = Parse({"--plot=decimal", "--port=COM3", "--baud=9600"});
    ASSERT_TRUE(joined.error.isEmpty()) << joined.error.toStdString();
    EXPECT_EQ(joined.line.plot, TStartPlotting::Decimal);
    EXPECT_EQ(joined.line.port, "COM3");
    EXPECT_EQ(joined.line.baud, 9600);

    EXPECT_EQ(Parse({"--lang", "en"}).line.language, TLanguage::English);
    EXPECT_EQ(Parse({"--lang=zh"}).line.language, TLanguage::Chinese);

    EXPECT_TRUE(Parse({"--help"}).line.help);
    EXPECT_TRUE(Parse({"--version"}).line.version);
    // The last of a repeated option wins.
    EXPECT_EQ(Parse({"--baud", "1200", "--baud", "2400"}).line.baud, 2400);
    EXPECT_EQ(Parse({"--lang", "zh", "--lang", "en"}).line.language, TLanguage::English);
}

TEST(CommandLine, RefusalsNameWhatIsWrong) {
    const struct {
        std::initializer_list<const char*> arguments;
        const char* mentioned;
    } cases[] = {
        {{"--frobnicate"}, "--frobnicate"},
        {{"port"}, "port"},
        {{"--port"}, "--port needs PATH"},
        {{"--port="}, "device path"},
        {{"--baud", "fast"}, "fast"},
        {{"--baud", "0"}, "--baud"},
        {{"--baud", "-9600"}, "-9600"},
        {{"--baud", "4000001"}, "4000001"},
        {{"--baud=12x"}, "12x"},
        {{"--plot", "octal"}, "octal"},
        {{"--plot"}, "--plot needs decimal|hex"},
        {{"--open=yes"}, "--open takes no value"},
        {{"--open", "--bogus"}, "--bogus"},
        {{"--lang", "fr"}, "--lang takes zh (Chinese) or en (English), not \"fr\""},
        {{"--lang=EN"}, "EN"},
        {{"--lang"}, "--lang needs zh|en"},
        {{"--lang="}, "--lang takes zh"},
        {{"--langx", "en"}, "--langx"},
    };
    for (const auto& test : cases) {
        const QString error = Parse(test.arguments).error;
        EXPECT_TRUE(error.contains(QString::fromUtf8(test.mentioned)))
            << test.mentioned << ": " << error.toStdString();
    }
}

TEST(CommandLine, HelpListsEveryOptionInEnglishAndChinese) {
    const QString help = CommandLineHelp();
    for (const char* option : {"--port PATH", "--baud N", "--open", "--plot decimal|hex",
                               "--lang zh|en", "--help", "--version"}) {
        EXPECT_TRUE(help.contains(QString::fromUtf8(option))) << option;
    }
    EXPECT_TRUE(help.contains(QStringLiteral("Usage:")));
    EXPECT_TRUE(help.contains(QStringLiteral("用法")));
    EXPECT_TRUE(help.contains(QStringLiteral("启动后打开串口")));
}

}  // namespace
