#include <gtest/gtest.h>

#include "model/Codec.h"
#include "model/DataUnit.h"
#include "support/CliRunner.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

TEST(CliResave, AFileTheProgramWroteComesBackByteForByte) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.Memorials.Add() = {"", "2016/05/05", "こどもの日¶№１", 255, -1, -1};
    data.Matrixs.Add() = {"", 1, 2, "/a b/c.jpg", "", {}};
    ASSERT_TRUE(data.SaveToFile(dir.File("in.sav"), sink));

    const auto result = test::RunCli("resave " + test::ShellQuote(dir.File("in.sav")) + " " +
                                         test::ShellQuote(dir.File("out.sav")),
                                     dir.File("err.txt"));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(test::TempDir::Read(dir.File("out.sav")), test::TempDir::Read(dir.File("in.sav")));
}

TEST(CliResave, FailuresGoToStandardErrorWithStatusOne) {
    test::TempDir dir;
    dir.Write("plain", "");
    dir.Write("in.sav", "[About]\r\nSignature=Orvalinden\r\nVersion=1.11\r\n");
    const auto saveFails = test::RunCli("resave " + test::ShellQuote(dir.File("in.sav")) + " " +
                                            test::ShellQuote(dir.File("plain/out.sav")),
                                        dir.File("err.txt"));
    EXPECT_EQ(saveFails.status, 1);
    EXPECT_EQ(saveFails.err.rfind("error: ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ: ", 0), 0u) << saveFails.err;

    const auto loadFails = test::RunCli(
        "resave " + test::ShellQuote(dir.Path()) + " " + test::ShellQuote(dir.File("out.sav")),
        dir.File("err.txt"));
    EXPECT_EQ(loadFails.status, 1);
    EXPECT_EQ(loadFails.err.rfind("error: ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ: ", 0), 0u) << loadFails.err;

    const auto foreign = test::RunCli("resave " + test::ShellQuote(dir.Write("f.sav", "[x]\n")) +
                                          " " + test::ShellQuote(dir.File("out2.sav")),
                                      dir.File("err.txt"));
    EXPECT_EQ(foreign.status, 0);
    EXPECT_EQ(foreign.err.rfind("warning: 本ソフトのデータファイルとして", 0), 0u) << foreign.err;

    // A mistyped IN is no default design: OUT stays as it was.
    const std::string out = dir.Write("kept.sav", "kept");
    const auto missing = test::RunCli(
        "resave " + test::ShellQuote(dir.File("missing.sav")) + " " + test::ShellQuote(out),
        dir.File("err.txt"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "error: ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ: " + dir.File("missing.sav") +
                               ": No such file or directory\n");
    EXPECT_EQ(test::TempDir::Read(out), "kept");

    EXPECT_EQ(test::RunCli("resave onlyone", dir.File("err.txt")).status, 2);
    EXPECT_EQ(test::RunCli("--help", dir.File("err.txt")).status, 0);
}

}  // namespace
}  // namespace orv
