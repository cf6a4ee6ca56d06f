#include "ExternalPlayer.h"

#include "ShellWords.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>


extern char** environ;

namespace {

// True once the child has ended (or was already collected elsewhere, as when SIGCHLD
// is ignored); false while it runs, so its id cannot have been reused.
bool Ended(pid_t pid)
{
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    return result != 0;
}

// The player started last, for exits that skip destructors (the GUI library ends the
// process with exit() when its display goes away): it is asked to close then too.
std::atomic<pid_t> lastPlayer{0};

void CloseLastPlayerAtExit()
{
    const pid_t pid = lastPlayer.exchange(0);
    if (pid > 0 && !Ended(pid))
        kill(pid, SIGTERM);
}

} // namespace

ExternalPlayer::~ExternalPlayer()
{
    Stop();
}

bool ExternalPlayer::Start(const std::string& commandLine, std::string* error)
{
    Reap();
    std::vector<std::string> words = SplitShellWords(commandLine);
    if (words.empty()) {
        *error = "empty command line";
        return false;
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The player has no business with the terminal the show may have been started from.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    // The show may block or catch signals to turn them into events; the player must
    // start with none blocked and the closing signals at their defaults, or SIGTERM
    // would not reach it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGCHLD})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int result = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        *error = words[0] + ": " + std::strerror(result);
        return false;
    }
    taskId_ = pid;
    static const bool registered = std::atexit(CloseLastPlayerAtExit) == 0;
    (void)registered;
    lastPlayer = pid;
    return true;
}

bool ExternalPlayer::Running()
{
    if (taskId_ != 0 && Ended(taskId_))
        taskId_ = 0;
    return taskId_ != 0;
}

void ExternalPlayer::Stop()
{
    if (Running()) {
        pid_t expected = taskId_;
        lastPlayer.compare_exchange_strong(expected, 0);
        kill(taskId_, SIGTERM);
        ending_.push_back(taskId_);
        taskId_ = 0;
    }
    Reap();
}

void ExternalPlayer::Reap()
{
    std::erase_if(ending_, Ended);
}
