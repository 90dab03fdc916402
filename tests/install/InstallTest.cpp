#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "model/AtomicFile.h"
#include "model/DesignTemplates.h"
#include "support/TempDir.h"

namespace orv {
namespace {

const std::string kAppId = "org.orvalinden.Orvalinden";
const char* const kRokuyoNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

std::string Quote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Outcome {
    int status = -1;
    std::string output;  // standard output and standard error
};

Outcome RunShell(const std::string& command) {
    Outcome outcome;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        outcome.output.append(buffer.data(), n);
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

// The build installed under a fresh prefix that is not the configured one.
class InstalledTree : public testing::Test {
  protected:
    void SetUp() override {
        const Outcome install =
            RunShell(Quote(ORV_CMAKE_COMMAND) + " --install " + Quote(ORV_BUILD_DIR) +
                     " --prefix " + Quote(prefix_.Path()));
        ASSERT_EQ(install.status, 0) << install.output;
    }
    std::string Path(const std::string& relative) const { return prefix_.File(relative); }

    // The rokuyo field of `day` for one date, as the installed command line prints it.
    std::string InstalledRokuyoOf(const std::string& isoDate) const {
        const Outcome day = RunShell(Quote(Path("bin/orvalinden-cli")) + " day " + isoDate);
        EXPECT_EQ(day.status, 0) << day.output;
        // date, holiday, era, rokuyo, solar terms
        size_t from = 0;
        for (int field = 0; field < 3; ++field) from = day.output.find('\t', from) + 1;
        return day.output.substr(from, day.output.find('\t', from) - from);
    }

  private:
    test::TempDir prefix_;
};

TEST_F(InstalledTree, TheCommandLineFindsItsDataFileUnderAnotherPrefix) {
    const std::string data = Path("share/orvalinden/旧暦.ini");
    ASSERT_TRUE(FileExists(data));
    EXPECT_FALSE(FileExists(Path("bin/旧暦.ini")));

    const std::string rokuyo = InstalledRokuyoOf("2016-01-06");
    EXPECT_NE(std::find(std::begin(kRokuyoNames), std::end(kRokuyoNames), rokuyo),
              std::end(kRokuyoNames))
        << "rokuyo field: '" << rokuyo << "'";

    // Without the installed file the names go: it was that file, not one elsewhere, that served.
    if (FileExists(std::string(ORV_CONFIGURED_DATA_DIR) + "/旧暦.ini")) {
        GTEST_SKIP() << "a data file is installed under the configured prefix too";
    }
    std::filesystem::remove(data);
    EXPECT_EQ(InstalledRokuyoOf("2016-01-06"), "");
}

TEST_F(InstalledTree, ProgramsDesktopEntryIconAndMetainfoAreWhereDesktopsLook) {
    EXPECT_TRUE(FileExists(Path("bin/orvalinden-cli")));
    EXPECT_TRUE(FileExists(Path("bin/orvalinden-cli-export")));  // what runs its exports
    if (ORV_WITH_WINDOW) {
        EXPECT_TRUE(FileExists(Path("bin/orvalinden")));
    }
    const std::string desktop = Path("share/applications/" + kAppId + ".desktop");
    const std::string metainfo = Path("share/metainfo/" + kAppId + ".metainfo.xml");
    ASSERT_TRUE(FileExists(desktop));
    ASSERT_TRUE(FileExists(metainfo));
    EXPECT_TRUE(FileExists(Path("share/icons/hicolor/scalable/apps/" + kAppId + ".svg")));

    const Outcome entry = RunShell("desktop-file-validate " + Quote(desktop));
    EXPECT_EQ(entry.status, 0) << entry.output;
    EXPECT_EQ(entry.output, "");
    const Outcome appstream = RunShell("appstreamcli validate --no-net " + Quote(metainfo));
    EXPECT_EQ(appstream.status, 0) << appstream.output;
    // The entry starts the program that was installed, by the name the metainfo promises.
    const std::string entryText = test::TempDir::Read(desktop);
    // It passes the file a file manager opens, for the design type installed beside it.
    EXPECT_NE(entryText.find("\nExec=orvalinden %f\n"), std::string::npos);
    EXPECT_NE(entryText.find("\nMimeType=application/x-orvalinden-design;\n"), std::string::npos);
    EXPECT_TRUE(FileExists(Path("share/mime/packages/" + kAppId + ".xml")));
    EXPECT_NE(entryText.find("\nIcon=" + kAppId + "\n"), std::string::npos);
    EXPECT_NE(test::TempDir::Read(metainfo).find("<binary>orvalinden</binary>"), std::string::npos);
    // The manual ヘルプ opens.
    EXPECT_NE(test::TempDir::Read(Path("share/orvalinden/manual/index.html")).find("<h1>"),
              std::string::npos);
    // 新規作成's designs, with the picture they name beside them.
    EXPECT_GE(FindTemplates({Path("share/orvalinden/templates/")}).size(), 8u);
    EXPECT_TRUE(FileExists(Path("share/orvalinden/templates/写真の見本.jpg")));
}

TEST_F(InstalledTree, EveryProgramHasAManualPageThatManShowsWithoutComplaint) {
    const Outcome help = RunShell(Quote(Path("bin/orvalinden-cli")) + " --help");
    for (const char* program : {"orvalinden", "orvalinden-cli", "orvalinden-cli-export"}) {
        const std::string page = Path("share/man/man1/" + std::string(program) + ".1.gz");
        ASSERT_TRUE(FileExists(page)) << page;
        // The page's text goes nowhere; what man and groff say of it is the output.
        const Outcome shown = RunShell("(LANG=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l " +
                                       Quote(page) + " 2>&1 >/dev/null)");
        EXPECT_EQ(shown.status, 0) << program << "\n" << shown.output;
        EXPECT_EQ(shown.output, "") << program;
        // The command line's page names every command its --help lists.
        if (std::string(program) != "orvalinden-cli") continue;
        const std::string text = RunShell("zcat " + Quote(page)).output;
        for (const char* command : {"resave", "holidays", "day", "oldcal", "export", "print"}) {
            EXPECT_NE(help.output.find("  " + std::string(command) + " "), std::string::npos);
            EXPECT_NE(text.find(".B " + std::string(command)), std::string::npos) << command;
        }
    }
    // The copyright file in the machine-readable format, and the changelog of this version.
    const std::string copyright = test::TempDir::Read(Path("share/doc/orvalinden/copyright"));
    EXPECT_EQ(copyright.rfind(
                  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/", 0),
              0u);
    const Outcome version = RunShell(Quote(Path("bin/orvalinden-cli")) + " --version");
    const std::string changelog =
        RunShell("zcat " + Quote(Path("share/doc/orvalinden/changelog.gz"))).output;
    EXPECT_EQ(changelog.rfind(
                  "orvalinden (" + version.output.substr(15, version.output.size() - 16) + ") ", 0),
              0u)
        << version.output << changelog.substr(0, 40);
}

}  // namespace
}  // namespace orv
