#pragma once
// What the fuzz targets share: a Qt application for the widget-backed
// readers, a scratch file for the readers that take a file name, and a
// check that stops the run when a reader breaks a promise it makes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Creates the offscreen QApplication once; call it from every target that
// builds widgets.
void EnsureFuzzApplication();

// A file of this process that each run rewrites; in /dev/shm when there is
// one, so the readers that take a file name cost no disk traffic.
class TScratchFile {
  public:
    explicit TScratchFile(std::string_view suffix);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Path() const { return path_; }
    void Write(std::string_view bytes) const;
    std::string Read() const;

  private:
    std::string path_;
};

// Aborts with `what` when `holds` is false, so libFuzzer keeps the input.
void FuzzCheck(bool holds, const char* what);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}
