#include "testrunner.h"

#include <QTest>
#include <cstdio>
#include <vector>

#include <map>
#include <string>

namespace tallyo::test {

static std::map<std::string, Factory>& registry()
{
    static std::map<std::string, Factory> tests;
    return tests;
}

bool registerTest(const char* name, Factory factory)
{
    registry().emplace(name, std::move(factory));
    return true;
}

int runRegisteredTests(int argc, char** argv)
{
    std::string only;
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (i == 1 && argv[i][0] != '-' && registry().count(argv[i]))
            only = argv[i];
        else
            args.push_back(argv[i]);
    }
    int failures = 0, classes = 0;
    for (auto& [name, factory] : registry()) {
        if (!only.empty() && name != only)
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
        ++classes;
    }
    std::printf("%d test classes run, %d failed\n", classes, failures);
    return failures == 0 ? 0 : 1;
}

}

