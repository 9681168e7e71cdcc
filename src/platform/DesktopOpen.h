#pragma once
// Opening a file, a web page or a mailto: address with the desktop's handler.

#include <QString>

// `target` with a scheme (http:, https:, mailto:, file:) is opened as an address, anything else as
// a local file. False when the desktop has no handler for it or refused it.
bool DesktopOpen(const QString& target);
