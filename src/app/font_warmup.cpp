#include "app/font_warmup.h"

#include "app/thread_placement.h"

#include <QFontDatabase>
#include <QStringList>

namespace dewmoth::app {

FontWarmup::FontWarmup()
    : m_worker([this] {
          loadSystemFontConfiguration();
          m_released.wait();
          if (m_applicationExists)
              QFontDatabase::families();
          // The thread's own end (Qt's per-thread data) overlaps the main thread's work.
          m_ready.count_down();
      })
{
    // The main thread goes on to connect to the display; on one core the two would take turns.
    placeApart(m_worker);
}

FontWarmup::~FontWarmup()
{
    finish();
}

void FontWarmup::awaitFonts()
{
    // A wait before the application exists must not wait for a release that never comes.
    release(false);
    m_ready.wait();
}

void FontWarmup::finish()
{
    // A start that ends before the application object exists must not leave the worker waiting.
    release(false);
    if (m_worker.joinable())
        m_worker.join();
}

void FontWarmup::applicationCreated()
{
    release(true);
}

void FontWarmup::release(bool applicationExists)
{
    if (m_released.try_wait())
        return;
    m_applicationExists = applicationExists;
    m_released.count_down();
}

} // namespace dewmoth::app
