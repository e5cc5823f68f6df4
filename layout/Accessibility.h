#pragma once

// How assistive technology meets the windows' controls, where Qt's own view
// of them misleads:
// - a link is a link, and it can be pressed as a button can;
// - a plain label is read by the text it shows now, also when it is empty
//   (Qt reads an empty label by the title of the box around it);
// - a drop-down is named by its title, not by the text it holds (on Linux Qt
//   names it by its text); what it holds is its value;
// - a framed child window is a dialog, named by its accessible name;
// - a frame is a group named by its own caption, or by its accessible name
//   where that is set (ControlRow::accessibleName of a Frame row): the way to
//   name a frame without a caption, or one whose caption repeats another's.
//   Qt would name a frame inside another by the outer caption;
// - the box of a wrapping choice has no name of its own: its button has;
// - an option button or a check box switched by the screen reader's toggle
//   action is clicked, as by the user, so the window acts on it.
// Installed once, before the first window is built; idempotent.
namespace karvo {

void installAccessibility();

} // namespace karvo
