#pragma once

class QWidget;

// A widget that lies over other controls of its window (a framed child
// window, a box over a step) hides them from the eye but not from Tab. Once
// this is applied to it, every control of its window that it overlaps
// leaves the tab chain while it is shown and comes back when it hides; a
// click cannot reach such a control anyway. Covers may overlap one another:
// a control comes back when the last cover over it hides.
namespace karvo {

void keepCoveredControlsOutOfTabChain(QWidget *cover);

} // namespace karvo
