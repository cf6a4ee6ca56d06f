#include "HiddenPlayerProcess.h"

#include "WideText.h"

#include <algorithm>
#include <thread>

namespace {

DWORD ActiveProcesses(HANDLE job)
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr))
        return 0;
    return info.ActiveProcesses;
}

std::vector<DWORD> ProcessesIn(HANDLE job)
{
    // Room for far more processes than a music player starts.
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[255];
    } ids{};
    ids.list.NumberOfAssignedProcesses = 256;
    if (!QueryInformationJobObject(job, JobObjectBasicProcessIdList, &ids, sizeof ids, nullptr))
        return {};
    std::vector<DWORD> processes;
    for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i)
        processes.push_back(DWORD(ids.list.ProcessIdList[i]));
    return processes;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Posts WM_CLOSE to every top-level window whose process is one of these.
void CloseWindowsOf(const std::vector<DWORD>& processes)
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (std::find(processes.begin(), processes.end(), process) != processes.end())
            PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

} // namespace

HiddenPlayerProcess::~HiddenPlayerProcess()
{
    Stop();
    for (const Ending& ending : ending_) {
        while (ActiveProcesses(ending.Job) > 0 && std::chrono::steady_clock::now() < ending.Deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        CloseHandle(ending.Job);
    }
}

bool HiddenPlayerProcess::Start(const std::string& commandLine, std::string* error)
{
    Reap();
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job || !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        *error = "no job object: " + SystemMessage(GetLastError());
        if (job)
            CloseHandle(job);
        return false;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    std::wstring line = WideOfUtf8(commandLine);
    // Suspended until it is in the job, so nothing it starts can escape it.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &started)) {
        *error = commandLine + ": " + SystemMessage(GetLastError());
        CloseHandle(job);
        return false;
    }
    if (!AssignProcessToJobObject(job, started.hProcess)) {
        *error = commandLine + ": " + SystemMessage(GetLastError());
        TerminateProcess(started.hProcess, 1);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        CloseHandle(job);
        return false;
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    job_ = job;
    taskId_ = started.dwProcessId;
    return true;
}

bool HiddenPlayerProcess::Running()
{
    if (job_ && ActiveProcesses(job_) == 0) {
        CloseHandle(job_);
        job_ = nullptr;
        taskId_ = 0;
    }
    return job_ != nullptr;
}

void HiddenPlayerProcess::Stop()
{
    if (Running()) {
        CloseWindowsOf(ProcessesIn(job_));
        ending_.push_back({job_, std::chrono::steady_clock::now() + PlayerCloseGrace});
        job_ = nullptr;
        taskId_ = 0;
    }
    Reap();
}

void HiddenPlayerProcess::Reap()
{
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(ending_, [now](const Ending& ending) {
        if (ActiveProcesses(ending.Job) > 0 && now < ending.Deadline)
            return false;
        CloseHandle(ending.Job);
        return true;
    });
}
