#include "app/font_warmup.h"

#include <QFontDatabase>
#include <QStringList>

namespace dewmoth::app {

FontWarmup::FontWarmup()
    : m_worker([this] {
          loadSystemFontConfiguration();
          m_released.wait();
          if (m_applicationExists)
              QFontDatabase::families();
      })
{}

FontWarmup::~FontWarmup()
{
    finish();
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
