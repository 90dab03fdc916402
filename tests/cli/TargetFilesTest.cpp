// What a save or an export does to what is at its target: a node that is no file is refused and
// left alone; a write stopped by a signal or a kill leaves nothing but the file that was there.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "model/DataUnit.h"
#include "support/CliRunner.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

extern char** environ;

namespace orv {
namespace {

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t NodeType(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// Nodes of the test's own: a regression must not replace the machine's /dev/null.
TEST(TargetFiles, WhatIsNoRegularFileIsRefusedAndLeftAsItIs) {
    test::TempDir dir;
    test::RecordingSink sink;
    ASSERT_TRUE(NewDesign().SaveToFile(dir.File("in.sav"), sink));
    const std::string device = dir.File("null-device");
    const bool devices = mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    for (const char* fifo : {"fifo", "fifo.png", "fifo.pdf"})
        ASSERT_EQ(mkfifo(dir.File(fifo).c_str(), 0600), 0);
    ASSERT_EQ(symlink(dir.File("fifo").c_str(), dir.File("tofifo").c_str()), 0);
    ASSERT_EQ(symlink(device.c_str(), dir.File("null").c_str()), 0);
    ASSERT_EQ(symlink(device.c_str(), dir.File("null.bmp").c_str()), 0);
    struct Case {
        std::string command, target;
        mode_t type;
        bool needsDevice;
    };
    const Case cases[] = {
        {"resave", dir.File("fifo"), S_IFIFO, false},
        {"resave", dir.File("tofifo"), S_IFLNK, false},
        {"export", dir.File("fifo.png"), S_IFIFO, false},
        {"export", dir.File("fifo.pdf"), S_IFIFO, false},
        {"resave", device, S_IFCHR, true},
        {"resave", dir.File("null"), S_IFLNK, true},
        {"export", dir.File("null.bmp"), S_IFLNK, true},
    };
    for (const Case& c : cases) {
        if (c.needsDevice && !devices) continue;  // making a device node needs root
        SCOPED_TRACE(c.command + " " + c.target);
        const std::string dpi = c.command == "export" ? " --dpi 50" : "";
        const auto result = test::RunCli(c.command + " " + test::ShellQuote(dir.File("in.sav")) +
                                             " " + test::ShellQuote(c.target) + dpi,
                                         dir.File("err.txt"));
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(c.target + ": 通常のファイルではありません"), std::string::npos)
            << result.err;
        EXPECT_EQ(NodeType(c.target), c.type);
    }
    if (devices) {
        EXPECT_EQ(NodeType(device), S_IFCHR);
    }
}

// An export big enough to be stopped while it writes.
class StoppedExport : public testing::Test {
  protected:
    void SetUp() override {
        TData design = NewDesign();
        design.SizeIndex = -1;
        design.SizeX = 297;
        design.SizeY = 420;
        ASSERT_TRUE(design.SaveToFile(dir.File("a3.sav"), sink));
        dir.Write("k.bmp", "the old file");
    }

    // Starts the export and waits until it has its temporary open beside the target.
    pid_t StartWriting() {
        const std::string design = dir.File("a3.sav");
        const std::string target = dir.File("k.bmp");
        const char* argv[] = {ORV_CLI_PATH, "export", design.c_str(), target.c_str(),
                              "--dpi",      "600",    nullptr};
        pid_t pid = 0;
        posix_spawn(&pid, ORV_CLI_PATH, nullptr, nullptr, const_cast<char**>(argv), environ);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < until) {
            std::error_code error;
            for (const auto& fd : std::filesystem::directory_iterator(
                     "/proc/" + std::to_string(pid) + "/fd", error)) {
                const std::string link = std::filesystem::read_symlink(fd.path(), error).string();
                if (link.starts_with(dir.Path() + "/") && !link.ends_with(".sav")) return pid;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ADD_FAILURE() << "the export never started writing";
        return pid;
    }

    test::TempDir dir;
    test::RecordingSink sink;
};

TEST_F(StoppedExport, InterruptedOrKilledLeavesOnlyTheOldFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        const pid_t pid = StartWriting();
        ASSERT_EQ(kill(pid, signal), 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        std::set<std::string> names = Names(dir.Path());
        // Where the file system has no unnamed temporaries, a kill leaves a named one, which the
        // next write of the target removes.
        if (signal == SIGKILL && names.size() == 3) {
            const std::string left = *std::next(names.begin(), 2);
            EXPECT_TRUE(left.starts_with("k.bmp.orvtmp-")) << left;
            const auto again = test::RunCli("export " + test::ShellQuote(dir.File("a3.sav")) + " " +
                                                test::ShellQuote(dir.File("k.bmp")) + " --dpi 20",
                                            "/dev/null");
            EXPECT_EQ(again.status, 0);
            names = Names(dir.Path());
            EXPECT_EQ(names, (std::set<std::string>{"a3.sav", "k.bmp"}));
            continue;
        }
        EXPECT_EQ(names, (std::set<std::string>{"a3.sav", "k.bmp"}));
        EXPECT_EQ(test::TempDir::Read(dir.File("k.bmp")), "the old file");
    }
}

TEST_F(StoppedExport, TemporariesAKillLeftGoWithTheNextWriteButNotOnesInUse) {
    dir.Write("k.bmp.orvtmp-a1b2c3", "left by a kill");
    dir.Write("k.bmp.orvtmp-inuse1", "another run's");
    dir.Write("other.bmp.orvtmp-a1b2c3", "another target's");
    const int held = open(dir.File("k.bmp.orvtmp-inuse1").c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const auto result = test::RunCli("export " + test::ShellQuote(dir.File("a3.sav")) + " " +
                                         test::ShellQuote(dir.File("k.bmp")) + " --dpi 20",
                                     dir.File("err.txt"));
    close(held);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Names(dir.Path()),
              (std::set<std::string>{"a3.sav", "err.txt", "k.bmp", "k.bmp.orvtmp-inuse1",
                                     "other.bmp.orvtmp-a1b2c3"}));
}

}  // namespace
}  // namespace orv
