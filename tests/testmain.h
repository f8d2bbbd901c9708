#pragma once
// Several test classes share one program (one per folder and kind, see
// CMakeLists.txt): each file registers its class instead of defining main(),
// and ctest runs the program once per class, named by the file.
#include <QTest>

namespace vt::test {

using TestRun = int (*)(int argc, char *argv[]);
// file is the test's source path; its base name (tst_core_x) names the class on the command line.
bool registerTest(const char *file, TestRun run);

} // namespace vt::test

// As QTEST_MAIN and QTEST_GUILESS_MAIN, with the same application set-up.
#define VT_TEST_RUNNER(TestObject, ...)                                                    \
    static int vtRunTest(int argc, char *argv[])                                           \
    {                                                                                      \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                 \
        __VA_ARGS__                                                                        \
        TestObject tc;                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                         \
        return QTest::qExec(&tc, argc, argv);                                              \
    }                                                                                      \
    [[maybe_unused]] static const bool vtTestRegistered = vt::test::registerTest(__FILE__, vtRunTest);
#define VT_TEST_MAIN(TestObject) VT_TEST_RUNNER(TestObject, QTEST_MAIN_SETUP())
#define VT_TEST_GUILESS_MAIN(TestObject) VT_TEST_RUNNER(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
