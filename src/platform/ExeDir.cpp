#include "platform/ExeDir.h"

#include <filesystem>

std::string ExecutableDir() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path dir = error ? std::filesystem::current_path() : exe.parent_path();
    std::string text = dir.string();
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}
