#pragma once
// List pages and mails go to the desktop's browser and mail program; when none answers the user is
// told plainly instead of nothing happening.

#include "startup/AppContext.h"

// The subject of every mail started from the program.
inline const char* const kMailSubject = "Utente KIVO:";

// The mailto: address with the subject, as handed to the mail program.
QString MailAddress(const QString& recipient);

void OpenListPage(AppContext& ctx, const QString& address);
void StartMail(AppContext& ctx, const QString& recipient);
