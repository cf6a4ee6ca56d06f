#include "ExternalPlayer.h"

#include "ShellWords.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
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

// Starts program with argv; returns 0, or the errno that kept it from starting.
// The player is tied to the show: if the show dies without closing it (even by
// SIGKILL), the kernel sends it SIGTERM. The show may block or catch signals to turn
// them into events, so the player starts with none blocked and the closing signals at
// their defaults; it reads nothing from the show's terminal.
int Spawn(const std::string& program, char* const* argv, pid_t* pid)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child < 0) {
        const int failure = errno;
        close(report[0]);
        close(report[1]);
        return failure;
    }
    if (child == 0) {
        // Only async-signal-safe calls from here to exec.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(0);
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigemptyset(&standard.sa_mask);
        for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGCHLD, SIGUSR1})
            sigaction(signal, &standard, nullptr);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        const int input = open("/dev/null", O_RDONLY);
        if (input >= 0) {
            dup2(input, STDIN_FILENO);
            if (input != STDIN_FILENO)
                close(input);
        }
        execve(program.c_str(), argv, environ);
        const int failure = errno;
        [[maybe_unused]] const ssize_t n = write(report[1], &failure, sizeof failure);
        _exit(127);
    }
    close(report[1]);
    int failure = 0;
    ssize_t got;
    do {
        got = read(report[0], &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        waitpid(child, nullptr, 0);
        return failure;
    }
    *pid = child;
    return 0;
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
    pid_t pid = 0;
    if (const int failure = Spawn(program, argv.data(), &pid); failure != 0) {
        *error = words[0] + ": " + std::strerror(failure);
        return false;
    }
    taskId_ = pid;
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
