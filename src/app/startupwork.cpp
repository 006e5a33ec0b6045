#include "startupwork.h"

#include <fontconfig/fontconfig.h>

namespace yw {

FontConfigWarmUp::FontConfigWarmUp() : m_thread([] { FcInit(); }) {}

void FontConfigWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace yw
