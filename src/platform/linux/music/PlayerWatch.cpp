#include "PlayerWatch.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int CheckIntervalMs = 100;
constexpr int StepMs = 20;
constexpr int KillRounds = 100;

// Signals that end the show; the watch must outlive the show to do its work, so it
// ignores them. The player gets every signal back at its default.
constexpr int ShowSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGPIPE};

void Report(int report, int kind, int value)
{
    const PlayerWatchReport message{kind, value};
    [[maybe_unused]] const ssize_t n = write(report, &message, sizeof message);
}

void SleepMs(int ms)
{
    timespec pause{0, ms * 1000000L};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

long NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
}

// Closes every descriptor inherited from the show but the two pipes, so the show's
// display connection, audio device and locks end with the show, not with the watch.
void CloseInherited(int keepA, int keepB)
{
    const unsigned low = static_cast<unsigned>(std::min(keepA, keepB));
    const unsigned high = static_cast<unsigned>(std::max(keepA, keepB));
    if (low > 3)
        close_range(3, low - 1, 0);
    if (high > low + 1)
        close_range(low + 1, high - 1, 0);
    close_range(high + 1, ~0U, 0);
}

// Collects every child that has ended; false once the watch has no children left.
bool ReapChildren()
{
    for (;;) {
        const pid_t pid = waitpid(-1, nullptr, WNOHANG);
        if (pid > 0)
            continue;
        if (pid < 0 && errno == EINTR)
            continue;
        return pid == 0;
    }
}

// Sends signal to each child of the watch outside the player's group: processes the
// player started that left the group and were adopted when their parent ended.
void SignalAdopted(pid_t group, int signal)
{
    const int file = open("/proc/thread-self/children", O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return;
    char text[4096];
    ssize_t length;
    do {
        length = read(file, text, sizeof text - 1);
    } while (length < 0 && errno == EINTR);
    close(file);
    pid_t pid = 0;
    for (ssize_t i = 0; i < std::max<ssize_t>(length, 0) + 1; ++i) {
        if (i < length && text[i] >= '0' && text[i] <= '9') {
            pid = pid * 10 + (text[i] - '0');
            continue;
        }
        if (pid > 0 && getpgid(pid) != group)
            kill(pid, signal);
        pid = 0;
    }
}

bool AnythingLeft(pid_t group)
{
    const bool children = ReapChildren();
    return children || kill(-group, 0) == 0;
}

void EndEverything(pid_t group)
{
    kill(-group, SIGTERM);
    SignalAdopted(group, SIGTERM);
    const long deadline = NowMs() + PlayerCloseGraceMs;
    while (NowMs() < deadline) {
        if (!AnythingLeft(group))
            return;
        SleepMs(StepMs);
    }
    for (int round = 0; round < KillRounds && AnythingLeft(group); ++round) {
        kill(-group, SIGKILL);
        SignalAdopted(group, SIGKILL);
        SleepMs(StepMs);
    }
}

[[noreturn]] void RunPlayer(int control, int report, pid_t watch, const char* program, char* const* argv,
                            char* const* environment)
{
    setpgid(0, 0);
    // Should the watch itself be killed, the player is still asked to close.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != watch)
        _exit(0);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    for (int signal : ShowSignals)
        sigaction(signal, &standard, nullptr);
    sigaction(SIGCHLD, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    close(control);
    const int input = open("/dev/null", O_RDONLY);
    if (input >= 0) {
        dup2(input, STDIN_FILENO);
        if (input != STDIN_FILENO)
            close(input);
    }
    execve(program, argv, environment);
    Report(report, PlayerWatchReport::Failed, errno);
    _exit(127);
}

} // namespace

void RunPlayerWatch(int control, int report, const char* program, char* const* argv, char* const* environment)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    for (int signal : ShowSignals)
        sigaction(signal, &ignore, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(SIGCHLD, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    CloseInherited(control, report);
    fcntl(report, F_SETFD, FD_CLOEXEC);
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    prctl(PR_SET_NAME, PlayerWatchName);

    const pid_t watch = getpid();
    const pid_t player = fork();
    if (player < 0) {
        Report(report, PlayerWatchReport::Failed, errno);
        _exit(1);
    }
    if (player == 0)
        RunPlayer(control, report, watch, program, argv, environment);
    // Both sides set the group, so it exists before either acts on it.
    setpgid(player, player);
    Report(report, PlayerWatchReport::Started, player);
    close(report);

    for (;;) {
        pollfd wait{control, POLLIN, 0};
        if (poll(&wait, 1, CheckIntervalMs) > 0) {
            char byte;
            const ssize_t got = read(control, &byte, 1);
            if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
                break;
        }
        if (!AnythingLeft(player))
            _exit(0);
    }
    EndEverything(player);
    _exit(0);
}
