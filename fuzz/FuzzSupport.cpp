#include "FuzzSupport.h"

#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

void EnsureFuzzApplication() {
    static int argc = 1;
    static char name[] = "kelvane-fuzz";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication application(argc, argv);
}

TScratchFile::TScratchFile(std::string_view suffix) {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(folder) + "/kelvane-fuzz-XXXXXX";
    const int fd = mkstemp(pattern.data());
    FuzzCheck(fd >= 0, "cannot create a scratch file");
    close(fd);
    std::remove(pattern.c_str());
    path_ = pattern + std::string(suffix);
}

TScratchFile::~TScratchFile() {
    std::remove(path_.c_str());
}

void TScratchFile::Write(std::string_view bytes) const {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TScratchFile::Read() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void FuzzCheck(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
