// Loading the system's font configuration is the longest single step of the program's start.
// FontWarmup does it on a worker thread from the first line of main, while the main thread
// connects to the display and decodes the window's pictures; once the application object exists
// the worker fills Qt's font database as well. Whether this still pays shows in
// bench/bench_startup.cpp (start to first frame against a minimal window). Its order is checked
// in debug builds: no widget of the window may be given a font before awaitFonts(), and
// finish() must come while the application object still exists.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace dewmoth::app {

// A signal given once and waited for by any number of threads. (std::latch lost wake-ups in
// the MinGW-w64 build, whose GCC 12 waits through a shared pool of condition variables:
// dewmoth.exe now and then never showed its window, its main thread waiting for a worker that
// had long counted down and ended.)
class OneShot
{
public:
    void give()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_given = true;
        }
        m_changed.notify_all();
    }
    bool given()
    {
        const std::lock_guard lock(m_mutex);
        return m_given;
    }
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_given; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_given = false;
};

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

    OneShot m_released;
    OneShot m_ready;
    bool m_applicationExists = false; // written before the release, read after it
    bool m_finished = false;
    std::jthread m_worker;
};

// The platform's own font configuration, loaded ahead of Qt (nothing where Qt is the only
// reader of the system's fonts).
void loadSystemFontConfiguration();

} // namespace dewmoth::app
