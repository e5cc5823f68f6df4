#pragma once

#include <QString>

#include <memory>

class QMessageBox;

// The real message box and desktop opener of the karvo program. Tests leave
// them out and install recorders instead.
namespace karvo {

void installDesktopServices();

// The program's message box: no icon, the title, the text and one OK button.
std::unique_ptr<QMessageBox> createMessageBox(const QString &title, const QString &text);

} // namespace karvo
