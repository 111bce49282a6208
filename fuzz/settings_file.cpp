// setfile.ini of any bytes: every key reads as a value or its default.
#include "FuzzSupport.h"
#include "console/PortSettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file(".ini");
    file.Write(AsText(data, size));
    const TPortSettings settings = ReadPortSettings(file.Path());
    ParityFromText(settings.parity);
    StopBitsFromNumber(settings.stopbits);
    return 0;
}
