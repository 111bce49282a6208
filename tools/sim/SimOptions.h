// Command line of kelvane-sim.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "Waveform.h"

struct TSimOptions {
    std::string LinkPath;  // empty: no link
    TWaveSettings Wave;
    TNumberFormat Format = TNumberFormat::Decimal;
    std::string LineEnding = "\r\n";
    unsigned Rate = 50;       // lines per second while a frame is sent
    unsigned FrameLines = 1;  // lines per frame
    unsigned GapMs = 0;       // silence after each frame
    bool Echo = false;
    bool Help = false;
};

// The options, or the message explaining what is wrong with them.
std::variant<TSimOptions, std::string> ParseSimOptions(const std::vector<std::string>& args);
std::string SimUsage();
