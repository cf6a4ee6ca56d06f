#pragma once

#include <QLockFile>

#include <chrono>
#include <memory>
#include <vector>

// Every show of this user, X11 or Wayland, a daemon's or its own, keeps a record while it
// runs: a lock file named after its process id in a folder of the user's own, held for
// as long as the process lives. The kernel drops the hold when the process ends, however
// it ends, so a file nobody holds is a show that is gone.
class ShowRecord {
public:
    ShowRecord();

private:
    std::unique_ptr<QLockFile> lock_;
};

struct StoppedShows {
    int Found = 0;
    // The process ids of the shows that had not ended when the wait was over.
    std::vector<long> StillRunning;
};

// Sends SIGTERM to every show that holds its record, so each ends as on a daemon's
// signal (music and player closed), and waits up to `wait` for all of them to be gone.
// A process is signalled only while its record is held and it runs this program, so a
// process id reused since by anything else is left alone.
StoppedShows StopRunningShows(std::chrono::milliseconds wait);
