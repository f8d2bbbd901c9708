// The main() of a test program with several test classes: "PROGRAM tst_core_x
// [QTest options]" runs one class, "PROGRAM" alone runs each in turn,
// "PROGRAM --list" names them.
#include "testmain.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace vt::test {

static std::map<std::string, TestRun> &registry()
{
    static std::map<std::string, TestRun> tests;
    return tests;
}

bool registerTest(const char *file, TestRun run)
{
    std::string name = file;
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    name.erase(name.rfind('.'));
    registry()[name] = run;
    return true;
}

} // namespace vt::test

int main(int argc, char *argv[])
{
    const auto &tests = vt::test::registry();
    if (argc > 1 && std::strcmp(argv[1], "--list") == 0) {
        for (const auto &t : tests)
            std::printf("%s\n", t.first.c_str());
        return 0;
    }
    if (argc > 1 && argv[1][0] != '-') {
        const auto it = tests.find(argv[1]);
        if (it == tests.end()) {
            std::fprintf(stderr, "No test %s in this program (--list names them)\n", argv[1]);
            return 2;
        }
        std::vector<char *> args(argv, argv + argc);
        args.erase(args.begin() + 1);
        args.push_back(nullptr);
        return it->second(argc - 1, args.data());
    }
    int failed = 0;
    for (const auto &t : tests)
        failed += t.second(argc, argv);
    return failed;
}
