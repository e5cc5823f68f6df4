#pragma once

#include <QString>

#include <functional>

// The one way the programs speak to the user: a modal box with a title, the
// text and a single OK button. The karvo program installs the real box; tests
// install a recorder so that no modal box ever blocks them.
namespace karvo {

inline const QString kWindowCaption = QStringLiteral("karvo 2012");
// The box's one button, in Cyrillic like the windows' own "ОК" buttons (Qt's
// Russian translation keeps the Latin "OK").
inline const QString kOkButton = QStringLiteral("ОК");

using MessageHandler = std::function<void(const QString &title, const QString &text)>;

void showMessage(const QString &text, const QString &title = kWindowCaption);
// showMessage(text) as a plain function, for a window to hand to a service
// that tells through a callback (TellUser of DesktopOpener.h).
void tellUser(const QString &text);

// Installs `handler` and returns the one it replaces.
MessageHandler setMessageHandler(MessageHandler handler);

} // namespace karvo
