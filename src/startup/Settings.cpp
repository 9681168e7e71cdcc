// Reading configurazione.ini once at start-up.
#include "startup/Startup.h"

#include "platform/IniFile.h"
#include "platform/KivoError.h"

#include <QFileInfo>

namespace {

const QString kSource = QStringLiteral("ReadSettings");

// Trim as the settings have always been trimmed: blanks only, tabs kept.
QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString Option(const AppContext& ctx, const char* key, int length, bool trimmed)
{
    const QString value = ReadIniValue(ctx.iniPath, QStringLiteral("opzioni"), QString::fromLatin1(key)).left(length);
    return trimmed ? TrimBlanks(value) : value;
}

// Our own installation settings: a missing key keeps the default.
QString TextOrDefault(const AppContext& ctx, const char* section, const char* key, const QString& fallback)
{
    const QString value = ReadIniValue(ctx.iniPath, QString::fromLatin1(section), QString::fromLatin1(key));
    return value.isEmpty() ? fallback : value;
}

int SecondsOrDefault(const AppContext& ctx, const char* key, int fallback)
{
    const QString value = ReadIniValue(ctx.iniPath, QStringLiteral("servizio"), QString::fromLatin1(key));
    if (value.isEmpty())
        return fallback;
    bool ok = false;
    const int seconds = value.toInt(&ok);
    if (!ok || seconds <= 0 || seconds > 3600) {
        throw KivoError(ErrorNumber::InvalidProcedureCall,
                        QStringLiteral("configurazione.ini, sezione [servizio]: %1=%2 non è un numero di secondi "
                                       "tra 1 e 3600")
                            .arg(QString::fromLatin1(key), value),
                        kSource);
    }
    return seconds;
}

// A file that is there but cannot be read is not the same as no file: reading it as empty would
// silently switch a client/server installation to the single-user database.
void CheckReadable(const QString& iniPath)
{
    const QFileInfo info(iniPath);
    if (!info.exists())
        return;
    if (!info.isFile() || !info.isReadable()) {
        throw KivoError(ErrorNumber::PermissionDenied,
                        QStringLiteral("Impossibile leggere il file di configurazione ") + iniPath, kSource);
    }
}

}  // namespace

void ReadSettings(AppContext& ctx)
{
    CheckReadable(ctx.iniPath);
    Settings& s = ctx.settings;
    s.PC = Option(ctx, "PC", 1, false);
    s.PNC = Option(ctx, "PNC", 50, true);
    s.PDA = Option(ctx, "PDA", 80, true);
    s.PNL = Option(ctx, "PNL", 50, true);
    s.TipoDb = Option(ctx, "TipoDb", 1, false);
    s.Server_Utente = Option(ctx, "Server_Utente", 10, false);
    s.Server_Password = Option(ctx, "Server_Password", 10, false);

    const ServiceSettings serviceDefaults;
    ctx.service.host = TextOrDefault(ctx, "servizio", "Host", serviceDefaults.host);
    ctx.service.ns = TextOrDefault(ctx, "servizio", "Namespace", serviceDefaults.ns);
    ctx.service.connectTimeoutSeconds =
        SecondsOrDefault(ctx, "TimeoutConnessione", serviceDefaults.connectTimeoutSeconds);
    ctx.service.answerTimeoutSeconds = SecondsOrDefault(ctx, "TimeoutRisposta", serviceDefaults.answerTimeoutSeconds);

    const SiteSettings siteDefaults;
    ctx.sites.paginaUE = TextOrDefault(ctx, "siti", "PaginaUE", siteDefaults.paginaUE);
    ctx.sites.paginaUSA = TextOrDefault(ctx, "siti", "PaginaUSA", siteDefaults.paginaUSA);
    ctx.sites.paginaONU = TextOrDefault(ctx, "siti", "PaginaONU", siteDefaults.paginaONU);
    ctx.sites.mailAssistenza = TextOrDefault(ctx, "siti", "MailAssistenza", siteDefaults.mailAssistenza);
}
