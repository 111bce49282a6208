// An INI file of any bytes: reading never fails, and a key written into it
// reads back as written while every other key keeps its value.
#include <string>

#include "FuzzSupport.h"
#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file(".ini");
    file.Write(AsText(data, size));

    const std::string before = ReadProfileString("a", "j", "(none)", file.Path());
    ReadProfileString("系统参数", "commname", "COM1", file.Path());
    if (!WriteProfileString("系统参数", "fuzzkey", "written value", file.Path()))
        return 0;
    FuzzCheck(ReadProfileString("系统参数", "fuzzkey", "", file.Path()) == "written value",
              "a written key reads back as written");
    // Keys of another section keep their values, unless that section is the
    // one written to under another spelling.
    const std::string after = ReadProfileString("a", "j", "(none)", file.Path());
    FuzzCheck(before == after || before.find("fuzzkey") != std::string::npos,
              "a write leaves the keys of other sections alone");
    return 0;
}
