// Many QtTest classes in one test program: each registers itself by its class
// name, and the program runs the one named first on its command line, so that
// CTest lists every class as a test of its own.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace marvesto::testing {

using SuiteFactory = std::function<std::unique_ptr<QObject>()>;

bool RegisterSuite(const char* name, SuiteFactory factory);

} // namespace marvesto::testing

// Put after the test class, before its .moc include.
#define MARVESTO_TEST_SUITE(Class)                                                                 \
    namespace {                                                                                    \
    const bool registered##Class = marvesto::testing::RegisterSuite(                               \
        #Class, [] { return std::unique_ptr<QObject>(std::make_unique<Class>()); });               \
    }
