#pragma once

#include <thread>

// Reading the system's font configuration (fontconfig parses every one of its
// XML files) is the largest single cost before the first window can be
// mapped: the first text box lays out its text as it is built, and waits for
// it. None of it needs the display, so it runs on a thread of its own while
// the application object connects to the display, and the windows are built
// once it is done. Where fontconfig's headers were missing at build time this
// does nothing, and Qt reads the configuration itself.
namespace karvo {

class FontConfigWarmUp
{
public:
    FontConfigWarmUp();

    // Returns once the configuration is read; the destructor waits as well.
    void wait();

private:
    std::jthread m_thread;
};

} // namespace karvo
