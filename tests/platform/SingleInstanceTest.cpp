#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

std::string LockPath() {
    return (std::filesystem::temp_directory_path() /
            ("kelvane-lock-test-" + std::to_string(::getpid())))
        .string();
}

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstGoes) {
    const std::string path = LockPath();
    {
        const auto first = TSingleInstanceLock::AtPath(path);
        ASSERT_TRUE(first.Acquired());
        EXPECT_FALSE(TSingleInstanceLock::AtPath(path).Acquired());
    }
    EXPECT_TRUE(TSingleInstanceLock::AtPath(path).Acquired());
    std::filesystem::remove(path);
}

TEST(SingleInstance, AnotherProcessIsRefused) {
    const std::string path = LockPath();
    const auto first = TSingleInstanceLock::AtPath(path);
    ASSERT_TRUE(first.Acquired());
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(TSingleInstanceLock::AtPath(path).Acquired() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::filesystem::remove(path);
}

TEST(SingleInstance, NamedLockLivesInTheRuntimeFolder) {
    const std::filesystem::path runtime = LockPath() + "-runtime";
    std::filesystem::create_directories(runtime);
    const char* before = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> saved =
        before ? std::optional<std::string>(before) : std::nullopt;
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    {
        const TSingleInstanceLock lock("KelvaneTest");
        EXPECT_TRUE(lock.Acquired());
        EXPECT_TRUE(std::filesystem::exists(runtime / "KelvaneTest.lock"));
    }
    if (saved) {
        ::setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    std::filesystem::remove_all(runtime);
}

}  // namespace
