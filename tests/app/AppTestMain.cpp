// Runs the window's test classes under the offscreen platform. With a class name as the first
// argument only that class runs, so that CTest lists each class on its own.
#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "AppTests.h"
#include "output/FontSubstitutes.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // No printing system unless a test's script starts one: the printer facts are known to fail.
    setenv("CUPS_SERVER", "/nonexistent/orvalinden-tests/cups.sock", 0);
    QApplication app(argc, argv);
    orv::RegisterWindowsFontSubstitutes();
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args{argv[0]};
    for (int i = only != nullptr ? 2 : 1; i < argc; ++i) args.push_back(argv[i]);
    int failures = 0;
    for (const orv::test::TestClass& entry : orv::test::AllTestClasses()) {
        if (only != nullptr && std::strcmp(only, entry.name) != 0) continue;
        std::unique_ptr<QObject> test = entry.make();
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
