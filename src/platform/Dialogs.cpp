#include "platform/Dialogs.h"

void Dialogs::inform(const QString& text, const QString& title, MessageIcon icon)
{
    message({text, title, icon, MessageButtons::Ok, MessageAnswer::Ok});
}

bool Dialogs::ask(const QString& text, const QString& title)
{
    return message({text, title, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No}) ==
           MessageAnswer::Yes;
}

std::unique_ptr<Dialogs> MakeDialogsForEnvironment()
{
    if (qEnvironmentVariable("KIVO_UNATTENDED") == QStringLiteral("1"))
        return MakeUnattendedDialogs();
    return MakeWidgetDialogs();
}
