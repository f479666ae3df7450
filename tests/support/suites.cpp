#include "suites.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::map<std::string, QObject* (*)()>& Suites() {
    static std::map<std::string, QObject* (*)()> suites;
    return suites;
}

} // namespace

bool marvesto::testing::RegisterSuite(const char* name, QObject* (*make)()) {
    return Suites().emplace(name, make).second;
}

// `program SUITE [QtTest options]`; without a suite it lists them.
int main(int argc, char* argv[]) {
    const auto suite = argc > 1 ? Suites().find(argv[1]) : Suites().end();
    if (suite == Suites().end()) {
        std::fprintf(stderr, "usage: %s SUITE [QtTest options]; the suites:\n", argv[0]);
        for (const auto& [name, make] : Suites()) {
            std::fprintf(stderr, "  %s\n", name.c_str());
        }
        return 2;
    }
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    int count = static_cast<int>(arguments.size());
    // The widget suites need an application; the others do not mind one.
    QApplication application(count, arguments.data());
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    const std::unique_ptr<QObject> tests(suite->second());
    return QTest::qExec(tests.get(), count, arguments.data());
}
