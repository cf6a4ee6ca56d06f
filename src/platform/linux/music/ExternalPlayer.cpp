#include "ExternalPlayer.h"

#include "PlayerWatch.h"
#include "ShellWords.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>


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

// The program a command word names: as given when it holds a '/', else the first
// executable file of that name on PATH (looked up before forking, where it is safe to).
bool FindProgram(const std::string& word, std::string* program)
{
    if (word.find('/') != std::string::npos) {
        *program = word;
        return true;
    }
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + word;
        if (access(candidate.c_str(), X_OK) == 0) {
            *program = candidate;
            return true;
        }
        start = end + 1;
    }
    return false;
}

// Starts program with argv under a watch (see PlayerWatch.h); returns 0, or the errno
// that kept it from starting. The watch's pipe and process are handed back.
int Spawn(const std::string& program, char* const* argv, pid_t* watch, pid_t* player, int* control)
{
    int controlPipe[2];
    int report[2];
    if (pipe2(controlPipe, O_CLOEXEC) != 0)
        return errno;
    if (pipe2(report, O_CLOEXEC) != 0) {
        const int failure = errno;
        close(controlPipe[0]);
        close(controlPipe[1]);
        return failure;
    }
    // No signal handler of the show may run in the watch before it has set its own.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t child = fork();
    if (child == 0) {
        close(controlPipe[1]);
        close(report[0]);
        RunPlayerWatch(controlPipe[0], report[1], program.c_str(), argv, environ);
    }
    const int forkFailure = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    close(controlPipe[0]);
    close(report[1]);
    if (child < 0) {
        close(controlPipe[1]);
        close(report[0]);
        return forkFailure;
    }

    // The watch reports the player's id; the player reports only a failed exec. Both
    // ends close once the player runs.
    int failure = 0;
    pid_t started = 0;
    PlayerWatchReport message{};
    ssize_t got;
    while ((got = read(report[0], &message, sizeof message)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got != static_cast<ssize_t>(sizeof message))
            break;
        if (message.ReportKind == PlayerWatchReport::Started)
            started = message.Value;
        else
            failure = message.Value;
    }
    close(report[0]);
    if (failure == 0 && started == 0)
        failure = ECHILD;
    *watch = child;
    *control = controlPipe[1];
    *player = started;
    return failure;
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

    std::string program;
    if (!FindProgram(words[0], &program)) {
        *error = words[0] + ": no such program";
        return false;
    }
    pid_t watch = 0;
    pid_t player = 0;
    int control = -1;
    const int failure = Spawn(program, argv.data(), &watch, &player, &control);
    if (watch != 0) {
        watch_ = watch;
        control_ = control;
        taskId_ = player;
    }
    if (failure != 0) {
        Stop();
        *error = words[0] + ": " + std::strerror(failure);
        return false;
    }
    return true;
}

bool ExternalPlayer::Running()
{
    if (watch_ != 0 && Ended(watch_)) {
        close(control_);
        watch_ = 0;
        control_ = -1;
        taskId_ = 0;
    }
    return watch_ != 0;
}

void ExternalPlayer::Stop()
{
    if (Running()) {
        // The watch takes it from here, so the show never waits for the player.
        close(control_);
        ending_.push_back(watch_);
        watch_ = 0;
        control_ = -1;
        taskId_ = 0;
    }
    Reap();
}

void ExternalPlayer::Reap()
{
    std::erase_if(ending_, Ended);
}
