// A plot data file in the compact form: the channel count line and the
// 32-bit floats that follow it.
#include <string>

#include "DataFileFuzz.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzDataFile(std::string("Compact Interval\r\n") + std::string(AsText(data, size)));
    return 0;
}
