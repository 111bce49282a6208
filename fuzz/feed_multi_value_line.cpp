// A received line read for several values: it never gives a value that is
// not finite, numbered columns only grow, names stay short, and a line the
// strict integer reading takes gives exactly that one value. Writing the
// numbered values back comma-separated reads the same values again.
#include <cmath>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "feed/LineParsers.h"
#include "feed/MultiValueLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = AsText(data, size);
    const std::vector<TLineValue> values = ReadMultiValueLine(line);
    std::size_t lastColumn = 0;
    std::string numbered;
    std::vector<double> numberedValues;
    for (const TLineValue& value : values) {
        FuzzCheck(std::isfinite(value.value), "values are finite");
        FuzzCheck(value.name.size() <= 64, "names are cut short");
        if (value.name.empty()) {
            FuzzCheck(value.column > lastColumn, "columns grow");
            lastColumn = value.column;
            char text[32];
            std::snprintf(text, sizeof text, "%.17g,", value.value);
            numbered += text;
            numberedValues.push_back(value.value);
        }
    }
    if (const auto strict = ReadDecimalLine(line)) {
        FuzzCheck(values.size() == 1 && values.front().value == *strict, "the strict reading wins");
    }
    if (numberedValues.size() >= 2) {
        const std::vector<TLineValue> again = ReadMultiValueLine(numbered);
        FuzzCheck(again.size() == numberedValues.size(), "written values read back");
        for (std::size_t i = 0; i < again.size(); ++i) {
            FuzzCheck(again[i].value == numberedValues[i], "written values read back exactly");
        }
    }
    return 0;
}
