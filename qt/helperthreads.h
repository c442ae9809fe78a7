#pragma once

// Threads that cost little, and the raster engine's helpers started before
// anything needs them.
//
// Every thread takes address space: a stack of the system's default size
// (8 MiB here) and, with glibc, a malloc arena of its own (64 MiB reserved).
// Under a limit on address space (ulimit -v) that runs out long before
// memory does: measured, 247 MB of address space at start and 469 MB after
// one print, against 38 MB resident.
//
// Where Qt cannot start a thread it needs, it does not fail: it waits for
// ever. At start that is its D-Bus connection; later it is the raster
// engine, which splits large fills and image conversions over the helpers of
// the global thread pool and waits on the drawing thread until they are done
// (the GUI thread, while it draws the window for print). A helper that could
// not be started keeps counting as busy, so the program then also hangs at
// its end, where Qt waits for the pool to be idle.
//
// So the program makes threads cheap before the first one starts, and starts
// the helpers itself right after the application is made, keeping them for
// good: from then on drawing never waits for a thread that may not exist.

namespace qtface {

// Call first thing in main, before any thread starts.
void makeThreadsCheap();

// Call once the application is made, before anything is drawn. False when
// not every helper started; the program cannot draw safely then, and cannot
// end normally either (see above).
bool startPaintHelpers();

// How many helpers startPaintHelpers starts: as many as the machine runs
// threads at once, at most four (the windows are small).
int paintHelperCount();

} // namespace qtface
