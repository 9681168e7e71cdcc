#pragma once
// The message both requests show when the service's answer is not XML.

#include "startup/AppContext.h"

// "Parse error: " + the parser's reason, with an OK button.
void ShowParseError(AppContext& ctx, const QString& reason);
