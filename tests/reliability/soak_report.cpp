#include "soak_report.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace
{
long StatusValueKb(const std::string& status, const std::string& key)
{
    std::istringstream lines(status);
    std::string line;
    while (std::getline(lines, line))
    {
        if (line.rfind(key + ":", 0) == 0)
        {
            return std::atol(line.c_str() + key.size() + 1);
        }
    }
    return 0;
}

std::string Megabytes(long kb)
{
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << kb / 1024.0 << " MB";
    return text.str();
}
} // namespace

ProcessMemory ProcessMemory::Now()
{
    std::ifstream file("/proc/self/status");
    std::ostringstream status;
    status << file.rdbuf();
    return {StatusValueKb(status.str(), "VmRSS"), StatusValueKb(status.str(), "VmHWM")};
}

void SoakReport::Measure(long step, long total)
{
    if (step == total / 10)
    {
        atTenth = ProcessMemory::Now();
    }
    if (step == total)
    {
        atEnd = ProcessMemory::Now();
    }
}

std::string SoakReport::Text() const
{
    std::ostringstream text;
    text << name << ": seed " << seed << ", " << steps << " steps";
    for (const auto& [what, count] : counts)
    {
        text << ", " << what << " " << count;
    }
    text << "\n  at 10 %: resident " << Megabytes(atTenth.residentKb) << ", peak "
         << Megabytes(atTenth.peakKb) << "\n  at 100 %: resident " << Megabytes(atEnd.residentKb)
         << ", peak " << Megabytes(atEnd.peakKb);
    return text.str();
}

long SoakSetting(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
    {
        return fallback;
    }
    return std::strtol(value, nullptr, 10);
}
