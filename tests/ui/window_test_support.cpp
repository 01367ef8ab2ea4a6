#include "window_test_support.h"

#include <cstdio>
#include <map>
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

void WindowTest::init() { openForm(); }

void WindowTest::cleanup()
{
    failures_.reset();
    form_.reset();
}

int main(int argc, char **argv)
{
    Application app(argc, argv);
    const auto suite = argc > 1 ? suites().find(argv[1]) : suites().end();
    if (suite == suites().end()) {
        std::fprintf(stderr, "usage: %s SUITE [Qt Test arguments]\nsuites:", argv[0]);
        for (const auto &[name, run] : suites())
            std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    // Qt Test sees the program and the suite's own arguments.
    std::vector<char *> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    args.push_back(nullptr);
    return suite->second(argc - 1, args.data());
}

#include "moc_window_test_support.cpp"
