// Part of every test program, as of the program itself: a write to a
// spreadsheet server that has died fails with an error instead of ending the
// process with SIGPIPE. The test library installs a handler of its own over
// an ignored SIGPIPE, so the signal is also blocked, before any thread starts
// (threads inherit the mask); the server's start unblocks it in the child.
#include <csignal>

#include <pthread.h>

namespace {

const bool g_sigpipeIgnored = [] {
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    return pthread_sigmask(SIG_BLOCK, &pipe, nullptr) == 0;
}();

} // namespace
