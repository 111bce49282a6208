// A plot data file as the loader gets it, first line and all; the seeds are
// files of the text form, with tab and comma columns.
#include "DataFileFuzz.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzDataFile(AsText(data, size));
    return 0;
}
