#pragma once
// Shared helpers for the port settings tests: a scratch folder and a message
// recorder standing in for modal boxes.

#include "console/PortNotice.h"
#include "console/PortSettingsMessages.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
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

// Stands in for the notice line below the chart.
class TNoticeLog : public TPortNoticeSink {
  public:
    void ShowNotice(const QString& text, std::chrono::milliseconds) override {
        notices.push_back(text);
        shown = text;
    }
    void ClearNotice() override { shown.clear(); }
    std::vector<QString> notices;  // every notice, in order
    QString shown;                 // what the line shows now
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

// A device behind a link of its own, as udev or socat give one: it can be
// unplugged (the pseudo-terminal closes and the link goes) and plugged in
// again (a new pseudo-terminal behind the same link).
class TLinkedPty {
  public:
    explicit TLinkedPty(std::string link) : link_(std::move(link)) { Plug(); }
    ~TLinkedPty() { Unplug(); }
    TLinkedPty(const TLinkedPty&) = delete;
    TLinkedPty& operator=(const TLinkedPty&) = delete;

    const std::string& LinkPath() const { return link_; }
    void Plug() {
        pty_ = std::make_unique<TPtyPair>();
        std::filesystem::create_symlink(pty_->DevicePath(), link_);
    }
    void Unplug() {
        std::filesystem::remove(link_);
        pty_.reset();
    }
    void Write(const std::string& bytes) {
        ASSERT_EQ(::write(pty_->Master(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    int Master() const { return pty_->Master(); }

  private:
    std::string link_;
    std::unique_ptr<TPtyPair> pty_;
};
