#include "plot/iLogFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

[[noreturn]] void ThrowFileError(const char* verb, const std::string& fileName) {
    throw std::runtime_error(std::string("Cannot ") + verb + " file \"" + fileName + "\". " +
                             std::strerror(errno));
}

}  // namespace

void CheckLogCanStart(const std::string& fileName, bool active) {
    if (IsBlank(fileName))
        throw std::runtime_error("Log File Name not Defined");
    if (active)
        throw std::runtime_error("Logging Already Active");
}

void ProbeLogFile(const std::string& fileName, std::ios::openmode mode) {
    errno = 0;
    std::fstream file(fileName, mode | std::ios::binary);
    if (!file)
        ThrowFileError("open", fileName);
}

void AppendToLogFile(const std::string& fileName, const std::string& bytes) {
    errno = 0;
    std::ofstream file(fileName, std::ios::binary | std::ios::app);
    if (!file)
        ThrowFileError("open", fileName);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.flush();
    if (!file)
        ThrowFileError("write", fileName);
}
