// Loading the system's font configuration is the longest single step of the program's start.
// FontWarmup does it on a worker thread from the first line of main, while the main thread
// connects to the display and decodes the window's pictures; once the application object exists
// the worker fills Qt's font database as well. Whether this still pays shows in
// bench/bench_startup.cpp (start to first frame against a minimal window). Its order is checked
// in debug builds: no widget of the window may be given a font before awaitFonts(), and
// finish() must come while the application object still exists.
#pragma once

#include <latch>
#include <thread>

namespace dewmoth::app {

class FontWarmup
{
public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup &) = delete;
    FontWarmup &operator=(const FontWarmup &) = delete;

    // Call once the QApplication exists; Qt's font database needs it.
    void applicationCreated();
    // Waits until the fonts are ready. Call before the first font is asked for: a font asked for
    // earlier would load the same configuration a second time beside the worker. Called before
    // applicationCreated(), it gives up the font database part instead of waiting for it.
    void awaitFonts();
    // Waits for the worker to end. Call before the QApplication goes.
    void finish();

private:
    void release(bool applicationExists);

    std::latch m_released{1};
    std::latch m_ready{1};
    bool m_applicationExists = false; // written before the release, read after it
    bool m_finished = false;
    std::jthread m_worker;
};

// The platform's own font configuration, loaded ahead of Qt (nothing where Qt is the only
// reader of the system's fonts).
void loadSystemFontConfiguration();

} // namespace dewmoth::app
