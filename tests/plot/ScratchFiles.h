#pragma once
// A scratch folder of its own for a test that writes and reads files.

#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <string>

class ScratchFiles {
  public:
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

    static std::string Read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

  private:
    QTemporaryDir dir_;
};
