#pragma once

#include <thread>

namespace yw {

// Reads the font configuration on a second thread while the application object is built, so
// that the first text the window measures does not wait for it (a fifth of the editor's
// start-up, skipping what only fc-conflist needs). finish() waits for it; call it before any widget
// is made.
class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp() { finish(); }
    void finish();

private:
    std::thread m_thread;
};

} // namespace yw
