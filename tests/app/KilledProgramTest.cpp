// The real program, killed after an edit, shows the edit when it starts again: the design reached
// the auto-save file without the program closing. It also opens a design named on its command
// line, and says what is wrong when started without a display.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "model/CivilDate.h"
#include "model/DataUnit.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using namespace std::chrono_literals;

// Polls until `done` holds or the time is up.
bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(50ms);
    }
    return done();
}

class KilledProgram : public testing::Test {
  protected:
    KilledProgram() {
        // The program keeps its auto-save file beside itself: a copy of it runs in the folder.
        std::filesystem::copy_file(ORV_PROGRAM, program_);
        std::filesystem::copy_file(ORV_OLD_CALENDAR_FILE, dir_.File("旧暦.ini"));
    }
    ~KilledProgram() override {
        if (pid_ > 0) Kill();
    }

    // Starts the copy with the remote hand doing `what`, with a file argument when given.
    void Start(const char* what, const std::string& argument = {}) {
        std::filesystem::remove(HandFile());
        pid_ = fork();
        if (pid_ == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            setenv("LD_PRELOAD", ORV_REMOTE_HAND, 1);
            setenv("ORV_HAND", what, 1);
            setenv("ORV_HAND_OUT", HandFile().c_str(), 1);
            setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1);
            // The hand is loaded ahead of the sanitizer's runtime in a sanitizer build.
            const char* asan = getenv("ASAN_OPTIONS");
            const std::string options = std::string(asan != nullptr ? asan : "") +
                                        ":verify_asan_link_order=0:detect_leaks=0";
            setenv("ASAN_OPTIONS", options.c_str(), 1);
            execl(program_.c_str(), program_.c_str(), argument.empty() ? nullptr : argument.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(pid_, 0);
    }
    // What the hand wrote, once it has.
    std::string HandSays() {
        WaitFor([&] { return !test::TempDir::Read(HandFile()).empty(); }, 90s);
        return test::TempDir::Read(HandFile());
    }
    void Kill() {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    }
    std::string AutoSave() const { return dir_.File("Orvalinden.bak"); }
    std::string HandFile() const { return dir_.File("hand.txt"); }
    const test::TempDir& Dir() const { return dir_; }

  private:
    test::TempDir dir_;
    std::string program_ = dir_.File("orvalinden");
    pid_t pid_ = -1;
};

TEST_F(KilledProgram, AnEditComesBackAfterTheProgramIsKilled) {
    Start("edit");
    ASSERT_EQ(HandSays(), "edited\n");
    // A couple of seconds later the edit is in the file, though the program never closed.
    const int year = Today().Year - 1;
    EXPECT_TRUE(WaitFor(
        [&] {
            TData saved;
            NullMessageSink quiet;
            return saved.LoadFromFile(AutoSave(), quiet) && saved.Year == year &&
                   saved.LineWidth == 7;
        },
        60s));
    Kill();

    Start("report");
    EXPECT_EQ(HandSays(),
              "year=" + std::to_string(year) + "年 lineWidth=7 title=無題[*] - Orvalinden\n");
    Kill();
}

TEST_F(KilledProgram, OpensTheDesignGivenOnItsCommandLine) {
    TData design = NewDesign();
    design.Year = 2031;
    NullMessageSink quiet;
    ASSERT_TRUE(design.SaveToFile(Dir().File("DESIGN.sav"), quiet));
    Start("report", Dir().File("DESIGN.sav"));
    EXPECT_EQ(HandSays(), "year=2031年 lineWidth=1 title=DESIGN.sav[*] - Orvalinden\n");
    Kill();
}

TEST(ProgramStart, WithoutADisplayItSaysSoInOneLineAndFails) {
    test::TempDir dir;
    const std::string out = dir.File("out.txt");
    // None named, and one named that does not answer.
    for (const std::string display : {"-u DISPLAY", "DISPLAY=:97531"}) {
        const std::string command = "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + display + " '" +
                                    std::string(ORV_PROGRAM) + "' >'" + out + "' 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << display;
        EXPECT_EQ(WEXITSTATUS(status), 1) << display;
        const std::string said = test::TempDir::Read(out);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find("orvalinden-cli"), std::string::npos) << said;
    }
}

}  // namespace
}  // namespace orv
