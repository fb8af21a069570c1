#include "support/child_process.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// Writes all of a text into a pipe and closes it (in the child, which ends right after).
void WriteAll(int file, const std::string& text)
{
    FILE* stream = fdopen(file, "w");
    if (stream == nullptr || fwrite(text.data(), 1, text.size(), stream) != text.size())
    {
        _exit(3);
    }
    fclose(stream);
}

std::string ReadAll(int file)
{
    std::string text;
    char buffer[4096];
    for (ssize_t got = 0; (got = read(file, buffer, sizeof buffer)) > 0;)
    {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

bool CatchesSignal(pid_t process, int signal)
{
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind("SigCgt:", 0) == 0)
        {
            return ((std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1) != 0;
        }
    }
    return false;
}
} // namespace

ChildProcess::ChildProcess(const Work& work)
{
    int ready[2];
    int report[2];
    if (pipe(ready) != 0 || pipe(report) != 0)
    {
        throw std::runtime_error("no pipe for the child process");
    }
    mChild = fork();
    if (mChild < 0)
    {
        throw std::runtime_error("cannot fork");
    }
    if (mChild == 0)
    {
        close(ready[0]);
        close(report[0]);
        std::string text;
        int status = 0;
        try
        {
            text = work([&ready] { static_cast<void>(write(ready[1], "r", 1)); });
        }
        catch (const std::exception& error)
        {
            text = std::string("exception: ") + error.what();
            status = 2;
        }
        WriteAll(report[1], text);
        _exit(status);
    }
    close(ready[1]);
    close(report[1]);
    mReady = ready[0];
    mReport = report[0];
}

ChildProcess::~ChildProcess()
{
    if (mChild > 0)
    {
        kill(mChild, SIGKILL);
        waitpid(mChild, nullptr, 0);
    }
    close(mReady);
    close(mReport);
}

bool ChildProcess::WaitUntilReady()
{
    char tick = 0;
    return read(mReady, &tick, 1) == 1;
}

void ChildProcess::Signal(int signal) const
{
    kill(mChild, signal);
}

ChildProcess::Outcome ChildProcess::Finish()
{
    Outcome outcome;
    outcome.report = ReadAll(mReport);
    int status = 0;
    waitpid(mChild, &status, 0);
    mChild = -1;
    outcome.exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return outcome;
}

std::string RunInChild(const std::function<std::string()>& work, bool unprivileged)
{
    ChildProcess child(
        [&work, unprivileged](const std::function<void()>&)
        {
            if (unprivileged && geteuid() == 0)
            {
                const passwd* nobody = getpwnam("nobody");
                if (nobody == nullptr || setgroups(0, nullptr) != 0 ||
                    setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
                {
                    throw std::runtime_error("cannot become the user nobody");
                }
            }
            return work();
        });
    return child.Finish().report;
}

int SignalProgramOnceListening(const std::vector<std::string>& arguments, int signal,
                               const std::string& errorsFile)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
    {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t program = fork();
    if (program < 0)
    {
        throw std::runtime_error("cannot fork");
    }
    if (program == 0)
    {
        const int file = open(errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(file, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (!CatchesSignal(program, signal))
    {
        if (waitpid(program, &status, WNOHANG) != 0)
        {
            return status; // ended by itself
        }
        usleep(1000);
    }
    kill(program, signal);
    waitpid(program, &status, 0);
    return status;
}
