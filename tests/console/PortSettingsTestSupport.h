#pragma once
// Shared helpers for the port settings tests: a scratch folder and a message
// recorder standing in for modal boxes.

#include "console/PortSettingsMessages.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct TLoggedMessage {
    QString caption;
    QString text;
    TMessageIcon icon;
};

// Named apart from other suites' recorders: they share this test binary.
class TMessageLog : public TMessageReporter {
  public:
    void Show(const QString& caption, const QString& text, TMessageIcon icon) override {
        messages.push_back({caption, text, icon});
    }
    QString LastText() const { return messages.empty() ? QString() : messages.back().text; }
    std::vector<TLoggedMessage> messages;
};

class TScratchFolder {
  public:
    TScratchFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("kelvane-" + std::to_string(::getpid()) + "-" + test->test_suite_name() + "-" +
                 test->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TScratchFolder() { std::filesystem::remove_all(path_); }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // The folder with a trailing '/', as the program passes data folders.
    std::string Dir() const { return path_.string() + "/"; }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

  private:
    std::filesystem::path path_;
};

// A pseudo-terminal pair; the port under test opens the device side by path
// and the test reads and writes the other side.
class TPtyPair {
  public:
    TPtyPair() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
            ADD_FAILURE() << "openpty failed";
        }
        path_ = name;
    }
    ~TPtyPair() {
        ::close(master_);
        ::close(slave_);
    }
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    const std::string& DevicePath() const { return path_; }
    int Master() const { return master_; }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};
