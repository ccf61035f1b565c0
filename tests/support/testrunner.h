#pragma once
// Several QtTest classes in one executable: each test file registers its
// class with TALLYO_TEST(Class) and the runner executes them in turn.
// Pass a class name as the first argument to run only that class; the
// remaining arguments go to QTest as usual.
#include <QObject>
#include <functional>
#include <memory>

namespace tallyo::test {
using Factory = std::function<std::unique_ptr<QObject>()>;
bool registerTest(const char* name, Factory factory);
int runRegisteredTests(int argc, char** argv);
}

#define TALLYO_TEST(Class)                                                                  \
    static const bool Class##_registered = ::tallyo::test::registerTest(                     \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });
