#include "window_test_support.h"

#include <QAbstractEventDispatcher>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::map<std::string, SuiteRun> &suites()
{
    static std::map<std::string, SuiteRun> registered;
    return registered;
}

} // namespace

bool registerSuite(const char *name, SuiteRun run)
{
    return suites().emplace(name, run).second;
}

bool drainEvents()
{
    // Each turn may queue more; a loop that never runs dry is a fault too.
    for (int turn = 0; turn < 100; ++turn) {
        QCoreApplication::sendPostedEvents();
        if (!QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents))
            return true;
    }
    return false;
}

void WindowTest::init() { openForm(); }

void WindowTest::cleanup()
{
    failures_.reset();
    form_.reset();
}

// SUITE may name several suites, comma-separated, run in turn in this one
// process (under Wine each process costs a second).
int main(int argc, char **argv)
{
    Application app(argc, argv);
    std::vector<SuiteRun> runs;
    for (std::stringstream names(argc > 1 ? argv[1] : ""); names.good();) {
        std::string name;
        std::getline(names, name, ',');
        const auto suite = suites().find(name);
        if (suite == suites().end()) {
            std::fprintf(stderr, "usage: %s SUITE[,SUITE...] [Qt Test arguments]\nsuites:", argv[0]);
            for (const auto &[known, run] : suites())
                std::fprintf(stderr, " %s", known.c_str());
            std::fprintf(stderr, "\n");
            return 2;
        }
        runs.push_back(suite->second);
    }
    // Qt Test sees the program and the suites' own arguments.
    std::vector<char *> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    args.push_back(nullptr);
    int failed = 0;
    for (const SuiteRun run : runs)
        failed += run(argc - 1, args.data()) != 0;
    return failed;
}

#include "moc_window_test_support.cpp"
