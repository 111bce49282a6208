#pragma once
// What the program's command line asks for: a port and speed for this
// session, opening it at once, starting a plotting mode, the interface's
// language, or just the help or version text. Each option is one entry of a table in
// CommandLine.cpp.
//
// --port, --baud and --lang only override setfile.ini for this run: the file
// is not written, so the next plain start behaves as before.

#include "console/InterfaceLanguage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

enum class TStartPlotting { None, Hex, Decimal };

struct TCommandLine {
    std::optional<std::string> port;
    std::optional<std::int32_t> baud;
    bool open = false;
    TStartPlotting plot = TStartPlotting::None;
    std::optional<TLanguage> language;
    bool help = false;
    bool version = false;
};

struct TCommandLineResult {
    TCommandLine line;
    // Why the arguments cannot be used; empty when they can.
    QString error;
};

// Reads the arguments after the program's name.
TCommandLineResult ParseCommandLine(const QStringList& arguments);

// The --help text, English and Chinese.
QString CommandLineHelp();

// Exit code for arguments that cannot be used.
inline constexpr int kBadArgumentsExitCode = 2;
