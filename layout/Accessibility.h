#pragma once

// How assistive technology meets the windows' controls, where Qt's own view
// of them misleads:
// - a link is a link, and it can be pressed as a button can;
// - a plain label is read by the text it shows now, also when it is empty
//   (Qt reads an empty label by the title of the box around it);
// - a drop-down is named by its title, not by the text it holds (on Linux Qt
//   names it by its text); what it holds is its value;
// - a framed child window is a dialog, named by its accessible name.
// A frame row with an accessible name (ControlRow::accessibleName) is a group
// read by that name instead of its caption, for frames whose captions repeat.
// Installed once, before the first window is built; idempotent.
namespace karvo {

void installAccessibility();

} // namespace karvo
