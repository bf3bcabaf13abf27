// Time from starting a program to its first full-screen picture, for several
// programs taken in turn, so that a machine that slows down slows them all.
//
//   time_to_first_frame RUNS NAME "COMMAND LINE" [NAME "COMMAND LINE"]...
//
// Each run starts the command, then watches from outside, the same way for
// every program: first for a visible top-level window of the new process
// over the whole primary monitor, then for the cover's colour on screen a
// quarter of the way down its middle, where a first frame shows background.
// The window is then sent WM_CLOSE and the program awaited. One run of each
// program before the measured ones warms the disk cache and Wine; the
// figures printed are the medians in milliseconds, and for each program
// after the first the median of its ratios to the first program's time in
// the same round, which a machine whose load comes and goes disturbs less.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/cover_colour.h"

namespace {

struct Program {
    std::string name;
    std::string commandLine;
    std::vector<double> windowMs;
    std::vector<double> pictureMs;
};

struct Timing {
    double windowMs;
    double pictureMs;
};

constexpr DWORD longestWaitMs = 20000;

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct WindowSearch {
    DWORD processId;
    RECT screen;
    HWND found;
};

BOOL CALLBACK checkWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT rect{};
    if (owner != search.processId || !IsWindowVisible(window) || !GetWindowRect(window, &rect)) return TRUE;
    if (rect.left > search.screen.left || rect.top > search.screen.top || rect.right < search.screen.right ||
        rect.bottom < search.screen.bottom)
        return TRUE;
    search.found = window;
    return FALSE;
}

RECT primaryScreen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

POINT probePoint(const RECT& screen) {
    return {(screen.left + screen.right) / 2, screen.top + (screen.bottom - screen.top) / 4};
}

bool coverColourAt(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour == coverColour;
}

// The last run's window must be gone from the screen before the next starts.
void awaitClearScreen(POINT probe) {
    for (DWORD waited = 0; coverColourAt(probe); waited += 10) {
        if (waited > longestWaitMs) {
            std::fprintf(stderr, "the screen still shows the cover's colour\n");
            std::exit(1);
        }
        Sleep(10);
    }
}

void endProgram(const PROCESS_INFORMATION& process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, longestWaitMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end on WM_CLOSE\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

Timing timeOneRun(const Program& program) {
    const RECT screen = primaryScreen();
    const POINT probe = probePoint(screen);
    awaitClearScreen(probe);
    std::string commandLine = program.commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "could not start %s (error %lu)\n", program.commandLine.c_str(), GetLastError());
        std::exit(1);
    }
    WindowSearch search{process.dwProcessId, screen, nullptr};
    Timing timing{};
    for (;;) {
        if (!search.found) {
            EnumWindows(&checkWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found) timing.windowMs = millisecondsSince(start);
        }
        if (search.found && coverColourAt(probe)) {
            timing.pictureMs = millisecondsSince(start);
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 || millisecondsSince(start) > longestWaitMs) {
            std::fprintf(stderr, "%s showed no full-screen picture\n", program.name.c_str());
            std::exit(1);
        }
        Sleep(1);
    }
    endProgram(process, search.found);
    return timing;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2) {
        std::fprintf(stderr, "usage: time_to_first_frame RUNS NAME \"COMMAND LINE\" [NAME \"COMMAND LINE\"]...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    if (runs < 1) {
        std::fprintf(stderr, "RUNS must be at least 1\n");
        return 2;
    }
    std::vector<Program> programs;
    for (int i = 2; i < argc; i += 2) programs.push_back({argv[i], argv[i + 1], {}, {}});

    for (const Program& program : programs) timeOneRun(program);
    for (int run = 1; run <= runs; ++run) {
        for (Program& program : programs) {
            const Timing timing = timeOneRun(program);
            program.windowMs.push_back(timing.windowMs);
            program.pictureMs.push_back(timing.pictureMs);
            std::printf("run %d %s: window %.1f ms, picture %.1f ms\n", run, program.name.c_str(), timing.windowMs,
                        timing.pictureMs);
            std::fflush(stdout);
        }
    }
    for (const Program& program : programs) {
        const auto [lowest, highest] = std::minmax_element(program.pictureMs.begin(), program.pictureMs.end());
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run) ratios.push_back(program.pictureMs[run] / programs[0].pictureMs[run]);
        std::printf("median %s: window %.1f ms, picture %.1f ms (picture %.1f to %.1f ms, %.2f x the %s's in its "
                    "round)\n",
                    program.name.c_str(), median(program.windowMs), median(program.pictureMs), *lowest, *highest,
                    median(ratios), programs[0].name.c_str());
    }
    return 0;
}
