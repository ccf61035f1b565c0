// The main function of every test executable. Folders whose tests open
// windows build it with TALLYO_TEST_WIDGETS and get a QApplication; core
// folders get a QCoreApplication and never load a display plugin.
#include "testrunner.h"

#ifdef TALLYO_TEST_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    Application app(argc, argv);
    return tallyo::test::runRegisteredTests(argc, argv);
}
