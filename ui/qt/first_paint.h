#pragma once
// Start-up timing: a callback once a window has painted for the first time, and the monotonic
// clock that a benchmark in another process reads too. Shared by the tool and the bare window
// that the start-up benchmark compares it with, so both are timed alike.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace quillmere::ui {

// Nanoseconds on CLOCK_MONOTONIC (std::chrono::steady_clock), comparable across processes.
std::int64_t monotonicNanoseconds();

// Calls `then` once, from the event loop, after `window` or one of its children has handled the
// window's first paint event (so the frame has been handed to the window system).
void afterFirstPaint(QWidget* window, std::function<void()> then);

// Writes "MARKER NANOSECONDS" on a line of its own to standard output, flushed at once.
void printMarker(const char* marker, std::int64_t nanoseconds);

}  // namespace quillmere::ui
