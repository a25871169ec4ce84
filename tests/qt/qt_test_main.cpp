// Runs the Qt Test classes on the offscreen platform: all of them, or the
// one named by "-suite Name" (the other arguments go to Qt Test).
#include <QApplication>
#include <QTest>
#include <cstdio>

#include "qt_test_suites.h"

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::string only;
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        if (std::string(argv[index]) == "-suite" && index + 1 < argc) only = argv[++index];
        else arguments << QString::fromLocal8Bit(argv[index]);
    }
    if (!only.empty() && !q32::test::suites().count(only)) {
        std::fprintf(stderr, "no test suite named %s\n", only.c_str());
        return 2;
    }

    int failures = 0;
    for (const auto& [name, make] : q32::test::suites()) {
        if (!only.empty() && name != only) continue;
        std::unique_ptr<QObject> suite = make();
        failures += QTest::qExec(suite.get(), arguments);
    }
    return failures == 0 ? 0 : 1;
}
