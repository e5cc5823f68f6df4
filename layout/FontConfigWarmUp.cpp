#include "layout/FontConfigWarmUp.h"

#ifdef KARVO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace karvo {

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef KARVO_HAVE_FONTCONFIG
    // Fontconfig publishes the configuration it read atomically; Qt's own
    // FcInit() then finds it and returns at once.
    m_thread = std::jthread([] { FcInit(); });
#endif
}

void FontConfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace karvo
