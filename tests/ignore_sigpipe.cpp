// Part of every test program, as of the program itself: a write to a
// spreadsheet server that has died fails with an error instead of ending the
// process with SIGPIPE.
#include <csignal>

namespace {

const bool g_sigpipeIgnored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();

} // namespace
