#include "platform/DataDir.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

// A scratch tree that an unprivileged user can walk: the folders a test
// makes inside it get the permissions it asks for.
class DataDir : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kelvane-datadir-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::permissions(root_, fs::perms::all);
    }
    void TearDown() override {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(root_, error)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
        fs::remove_all(root_, error);
    }
    std::string Folder(const std::string& name, fs::perms perms) {
        const fs::path path = root_ / name;
        fs::create_directories(path);
        fs::permissions(path, perms);
        return path.string() + "/";
    }
    std::string Path(const std::string& name) const { return (root_ / name).string() + "/"; }

    fs::path root_;
};

constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec;

enum TChildResult { kHeld = 0, kFailed = 1, kCannotDropRoot = 2 };

// Runs `check` in a child process as an ordinary user: root passes every
// permission check, so as root the child first becomes "nobody".
TChildResult AsOrdinaryUser(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr || ::setgid(nobody->pw_gid) != 0 ||
                ::setuid(nobody->pw_uid) != 0) {
                ::_exit(kCannotDropRoot);
            }
        }
        ::_exit(check() ? kHeld : kFailed);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return kFailed;
    }
    return static_cast<TChildResult>(WEXITSTATUS(status));
}

#define EXPECT_AS_ORDINARY_USER(check)                                  \
    do {                                                                \
        const TChildResult result = AsOrdinaryUser(check);              \
        if (result == kCannotDropRoot) {                                \
            GTEST_SKIP() << "running as root and cannot become nobody"; \
        }                                                               \
        EXPECT_EQ(result, kHeld);                                       \
    } while (false)

TEST_F(DataDir, WritableFolderIsToldApartFromReadOnlyOne) {
    const std::string open = Folder("open", fs::perms::all);
    const std::string locked = Folder("locked", kReadOnly);
    EXPECT_AS_ORDINARY_USER([&] { return IsWritableFolder(open) && !IsWritableFolder(locked); });
}

TEST_F(DataDir, PortableCopyKeepsItsFilesBesideTheExecutable) {
    const std::string program = Folder("portable", fs::perms::all);
    const std::string user = Path("home/.config/Kelvane");
    EXPECT_AS_ORDINARY_USER([&] {
        return ResolveDataDir({.programDir = program, .userDir = user}) == program &&
               !fs::exists(user);
    });
}

TEST_F(DataDir, ReadOnlyProgramFolderMovesTheFilesToTheUserFolderAndCreatesIt) {
    const std::string program = Folder("readonly", kReadOnly);
    Folder("home", fs::perms::all);
    const std::string user = Path("home/.config/Kelvane");
    EXPECT_AS_ORDINARY_USER([&] {
        return ResolveDataDir({.programDir = program, .userDir = user}) == user &&
               fs::is_directory(user) && IsWritableFolder(user);
    });
}

TEST_F(DataDir, InstalledCopyUsesTheUserFolderEvenWhenItsFolderIsWritable) {
    const std::string bin = Folder("usr/bin", fs::perms::all);
    const std::string share = Folder("usr/share/kelvane", fs::perms::all);
    const std::string user = Path("config/Kelvane");
    const auto alwaysWritable = [](const std::string&) { return true; };

    EXPECT_EQ(InstalledShareDir(bin), share);
    EXPECT_EQ(ResolveDataDir({.programDir = bin, .userDir = user}, alwaysWritable), user);
    EXPECT_TRUE(fs::is_directory(user));
}

TEST_F(DataDir, ProgramFolderWithoutTheDataFolderBesideItIsNotInstalled) {
    const std::string bin = Folder("opt/bin", fs::perms::all);
    Folder("opt/share", fs::perms::all);
    EXPECT_FALSE(InstalledShareDir(bin).has_value());
}

TEST_F(DataDir, UserFolderThatCannotBeCreatedIsStillTheAnswer) {
    // Saving then fails with the program's message instead of writing elsewhere.
    const std::string program = Folder("readonly", kReadOnly);
    const std::string user = Path("blocked/Kelvane");
    const auto nothingWritable = [](const std::string&) { return false; };
    Folder("blocked", kReadOnly);
    EXPECT_AS_ORDINARY_USER([&] {
        return ResolveDataDir({.programDir = program, .userDir = user}, nothingWritable) == user &&
               !fs::exists(user);
    });
}

}  // namespace
