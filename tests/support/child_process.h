#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// A forked copy of the test process that runs one piece of work, for what only
// a separate process shows: a signal, a kill, another user. The work calls
// `ready` whenever the parent may act, and returns a report that the parent
// reads once the child has ended.
class ChildProcess
{
public:
    using Work = std::function<std::string(const std::function<void()>& ready)>;
    // Set when the child ended by exiting with status 0 after its work.
    struct Outcome
    {
        bool exitedCleanly = false;
        std::string report;
    };

    explicit ChildProcess(const Work& work);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the next `ready` of the work; false when the child ended first.
    bool WaitUntilReady();
    void Signal(int signal) const;
    Outcome Finish();

private:
    pid_t mChild = -1;
    int mReady = -1;
    int mReport = -1;
};

// Runs work in a child process and returns its report. With `unprivileged`
// the child first drops root's rights to those of the user "nobody" (a test
// run by another user keeps that user's own).
std::string RunInChild(const std::function<std::string()>& work, bool unprivileged = false);
inline std::string RunAsUnprivilegedUser(const std::function<std::string()>& work)
{
    return RunInChild(work, true);
}

// Starts a program (arguments[0] is its path) with its standard error in
// errorsFile, waits until it has installed its handler for the signal, sends
// the signal and returns the program's wait status.
int SignalProgramOnceListening(const std::vector<std::string>& arguments, int signal,
                               const std::string& errorsFile);
