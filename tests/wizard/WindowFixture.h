#pragma once

// A step window built on its own over a sheet of its own and shown, with the
// message and desktop recorders in place: a fresh one for each test function.

#include "Recorders.h"

#include "model/PremiumSheet.h"
#include "model/StepChoices.h"

#include <functional>
#include <memory>

namespace karvo {

template <class Window> struct WindowFixture
{
    // The sheet of a calculation as it starts; `prepare` changes it before
    // the window, which shows it, is built.
    void build(const std::function<void(PremiumSheet &)> &prepare = {})
    {
        recorders = std::make_unique<Recorders>();
        sheet = std::make_unique<PremiumSheet>();
        startCalculation(*sheet);
        if (prepare)
            prepare(*sheet);
        window = std::make_unique<Window>(*sheet);
        window->show();
    }
    void reset()
    {
        window.reset();
        sheet.reset();
        recorders.reset();
    }

    std::unique_ptr<Recorders> recorders;
    std::unique_ptr<PremiumSheet> sheet;
    std::unique_ptr<Window> window;
};

} // namespace karvo
