#include "platform/DataDir.h"

#include "platform/ExeDir.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

std::string WithTrailingSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

}  // namespace

bool IsWritableFolder(const std::string& dir) {
    // Creating a file needs both write and search permission on the folder;
    // the effective ids are the ones the later open runs with.
    return ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::optional<std::string> InstalledShareDir(const std::string& programDir) {
    // KELVANE_SHARE_FROM_BIN comes from the build's install layout.
    const std::filesystem::path share = std::filesystem::path(programDir) / KELVANE_SHARE_FROM_BIN;
    std::error_code error;
    if (!std::filesystem::is_directory(share, error)) {
        return std::nullopt;
    }
    return WithTrailingSlash(share.lexically_normal().string());
}

std::string ResolveDataDir(const TDataDirPlaces& places, const TWritableCheck& writable) {
    // An installed copy never writes beside itself, even when run by root,
    // whose files there would belong to no package.
    if (!InstalledShareDir(places.programDir) && writable(places.programDir)) {
        return WithTrailingSlash(places.programDir);
    }
    std::error_code error;
    std::filesystem::create_directories(places.userDir, error);
    return WithTrailingSlash(places.userDir);
}

std::string ProgramDataDir() {
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return ResolveDataDir({.programDir = ExecutableDir(), .userDir = userDir.toStdString()});
}
