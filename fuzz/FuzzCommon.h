#ifndef KNOTEL_FUZZ_FUZZCOMMON_H
#define KNOTEL_FUZZ_FUZZCOMMON_H

// What every fuzz target shares: one headless application for the whole process and the check
// that turns a broken invariant into a finding (libFuzzer keeps the input that caused it).

#include <QApplication>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace knotel::fuzz {

/** Creates the process's application on the offscreen platform, once. */
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "knotel-fuzz";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv); // lives until the process ends
}

[[noreturn]] inline void fail(const char* file, int line, const char* what)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

} // namespace knotel::fuzz

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::knotel::fuzz::fail(__FILE__, __LINE__, #condition);                                            \
    } while (false)

#endif
