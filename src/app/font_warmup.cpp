#include "app/font_warmup.h"

#include "app/thread_placement.h"

#include <QCoreApplication>
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
          m_ready.give();
      })
{
    // The main thread goes on to connect to the display; on one core the two would take turns.
    placeApart(m_worker);
}

FontWarmup::~FontWarmup()
{
    // The worker may still be filling the font database of an application that is gone.
    Q_ASSERT_X(m_finished || !m_applicationExists || QCoreApplication::instance(), "FontWarmup",
               "finish() must be called before the application object is destroyed");
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
    m_finished = true;
}

void FontWarmup::applicationCreated()
{
    release(true);
}

void FontWarmup::release(bool applicationExists)
{
    if (m_released.given())
        return;
    m_applicationExists = applicationExists;
    m_released.give();
}

} // namespace dewmoth::app
