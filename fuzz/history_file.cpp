// txt.txt of any bytes: entries hold no line ends or zero bytes, de-duplication
// keeps each text once, and writing then reading gives the entries back.
#include <set>

#include "FuzzSupport.h"
#include "console/SendHistoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    THistoryEntries entries = ParseHistoryText(AsText(data, size));
    std::string rewritten;
    for (const std::string& entry : entries) {
        FuzzCheck(entry.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                  "an entry holds no line end and no zero byte");
        rewritten += entry + "\r\n";
    }
    FuzzCheck(ParseHistoryText(rewritten) == entries, "saved entries read back the same");

    const std::set<std::string> distinct(entries.begin(), entries.end());
    RemoveRepeatedEntries(entries);
    FuzzCheck(entries.size() == distinct.size(), "each text is kept exactly once");
    return 0;
}
