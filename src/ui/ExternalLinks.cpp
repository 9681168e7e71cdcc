#include "ui/ExternalLinks.h"

#include "platform/DesktopOpen.h"

#include <QUrl>
#include <QUrlQuery>

QString MailAddress(const QString& recipient)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(recipient);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromUtf8(kMailSubject));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

void OpenListPage(AppContext& ctx, const QString& address)
{
    if (DesktopOpen(address))
        return;
    ctx.dialogs->inform(QStringLiteral("Impossibile aprire la pagina: nessun browser disponibile.\n") + address,
                        QStringLiteral("Siti ufficiali liste Antiterrorismo"), MessageIcon::Warning);
}

void StartMail(AppContext& ctx, const QString& recipient)
{
    if (!recipient.trimmed().isEmpty() && DesktopOpen(MailAddress(recipient)))
        return;
    ctx.dialogs->inform(QStringLiteral("Impossibile avviare il programma di posta: nessun programma di posta disponibile.\n"
                                       "Scrivere a ") + recipient + QStringLiteral(" con oggetto \"") +
                            QString::fromUtf8(kMailSubject) + QStringLiteral("\"."),
                        QStringLiteral("KIVO - Versione"), MessageIcon::Warning);
}
