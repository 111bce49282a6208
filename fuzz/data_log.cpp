// A plot data file in the log form: an X column, then one Y column per
// channel.
#include <string>

#include "DataFileFuzz.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzDataFile(std::string("(X)\t") + std::string(AsText(data, size)));
    return 0;
}
