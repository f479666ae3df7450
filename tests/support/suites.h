// Many QtTest classes in one test program: each registers itself by its class
// name, and the program runs the one named first on its command line, so that
// CTest lists every class as a test of its own.
#pragma once

#include <QObject>

namespace marvesto::testing {

bool RegisterSuite(const char* name, QObject* (*make)());

} // namespace marvesto::testing

// Put after the test class, before its .moc include.
#define MARVESTO_TEST_SUITE(Class)                                                                 \
    static const bool registered##Class =                                                          \
        marvesto::testing::RegisterSuite(#Class, []() -> QObject* { return new Class; });
