// The start-up routine: everything the program does before its first window or its batch run.
#include "startup/Startup.h"

#include "platform/BatchCommand.h"
#include "platform/DoubleQuote.h"
#include "platform/KivoError.h"
#include "startup/ResultFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <new>

namespace {

const QString kSource = QStringLiteral("Dichiarazioni");
constexpr int kInternalError = 51;
constexpr int kOutOfMemory = 7;

// Step 1.
void NoteProgramFiles(AppContext& ctx)
{
    ctx.iniPath = ctx.programPath(QStringLiteral("configurazione.ini"));
    ctx.helpFile = ctx.programPath(QStringLiteral("help/index.html"));
}

// Step 3.
void BuildConnectionString(AppContext& ctx)
{
    const Settings& s = ctx.settings;
    if (s.TipoDb == QStringLiteral("S")) {
        ctx.app.ConnectionString =
            QStringLiteral("dsn=KIVO; UID=") + s.Server_Utente + QStringLiteral("; PWD=") + s.Server_Password;
        ctx.app.VersionText = QStringLiteral("Versione 1.0 - Client/Server");
    } else {
        ctx.app.ConnectionString = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                   ctx.programPath(QStringLiteral("DataBase/KIVO_97.mdb"));
        ctx.app.VersionText = QStringLiteral("Versione 1.0 - Monoutente");
    }
}

// Step 4: the personalised mode starts its result file and makes sure its PDF folder exists.
void PreparePersonalisedMode(AppContext& ctx)
{
    const Settings& s = ctx.settings;
    if (s.PC != QStringLiteral("Y"))
        return;
    ctx.app.VersionText = QStringLiteral("Ver 1.0 - Personalizzazione ") + s.PNC;
    StartResultFile(ctx);
    if (s.PDA.isEmpty() || QFileInfo(QDir(ctx.programDir).absoluteFilePath(s.PDA)).isDir())
        return;
    RunBatchCommand(ctx.programDir, QStringLiteral("MD ") + DoubleQuote(s.PDA));
    AppendLog(ctx, QStringLiteral("Creata directory: ") + s.PDA);
}

// Step 6.
void PublishOwnConnection(AppContext& ctx, const Handover& handover)
{
    if (!handover.writeOwnConnectionFile)
        throw KivoError(kInternalError, QStringLiteral("Scrittura del file di connessione non prevista"), kSource);
    handover.writeOwnConnectionFile(ctx);
}

// Step 7.
void SetProgramWideValues(AppContext& ctx)
{
    ctx.app.FocusColour = QColor(255, 255, 192);
    ctx.app.FieldColour = QColor(255, 255, 255);
    ctx.app.ReleaseText = QStringLiteral("Release 1.2.7 - 9 Novembre 2012");
    ctx.app.BatchMode = false;
}

void RunSteps(AppContext& ctx, const QString& commandLine, const Handover& handover)
{
    NoteProgramFiles(ctx);
    ReadSettings(ctx);
    BuildConnectionString(ctx);
    PreparePersonalisedMode(ctx);
    ctx.app.Connection = Database::Open(ctx.app.ConnectionString);
    PublishOwnConnection(ctx, handover);
    SetProgramWideValues(ctx);
    ctx.app.Arguments = SplitCommandLine(commandLine);
    ctx.showMainWindow = handover.showMainWindow;
    const auto& next = ctx.app.Arguments.isEmpty() ? handover.showMainWindow : handover.runBatch;
    if (!next)
        throw KivoError(kInternalError, QStringLiteral("Modalità di avvio non disponibile"), kSource);
    next(ctx);
}

void ShowFailure(AppContext& ctx, const KivoError& error)
{
    if (error.kind == ErrorKind::AccessDenied) {
        ctx.dialogs->inform(AdministratorMessageText(), QStringLiteral("Esegui come Amministratore"),
                            MessageIcon::Information);
        return;
    }
    ctx.dialogs->inform(StartupErrorText(ctx, error.number, error.description));
}

Dialogs& EnsureDialogs(AppContext& ctx)
{
    if (!ctx.dialogs) {
        static std::unique_ptr<Dialogs> fallback = MakeDialogsForEnvironment();
        ctx.dialogs = fallback.get();
    }
    return *ctx.dialogs;
}

}  // namespace

QStringList SplitCommandLine(const QString& commandLine)
{
    const bool onlyBlanks = std::all_of(commandLine.cbegin(), commandLine.cend(), [](QChar c) { return c == u' '; });
    if (onlyBlanks)
        return {};
    return commandLine.split(u',', Qt::KeepEmptyParts);
}

QString AdministratorMessageText()
{
    return QStringList{QStringLiteral("Errore KIVO: è necessario ESEGUIRE COME AMMINISTRATORE"), QStringLiteral(" "),
                       QStringLiteral("Seleziona l'icona del programma con il TASTO DESTRO e poi scegli la voce"),
                       QStringLiteral(" "), QStringLiteral("Esegui come Amministratore")}
        .join(u'\n');
}

// The data source password is masked: the message is often read aloud or sent as a screenshot.
QString StartupErrorText(const AppContext& ctx, int number, const QString& description)
{
    return QStringList{QStringLiteral("Errore KIVO Dichiarazioni num. ") + QString::number(number) + u' ' + description,
                       QStringLiteral("  "), QStringLiteral(" StrConn ") + MaskPassword(ctx.app.ConnectionString),
                       QStringLiteral(" TipoDb ") + ctx.settings.TipoDb}
        .join(u'\n');
}

bool RunStartup(AppContext& ctx, const QString& commandLine, const Handover& handover)
{
    EnsureDialogs(ctx);
    try {
        RunSteps(ctx, commandLine, handover);
        return true;
    } catch (const KivoError& error) {
        ShowFailure(ctx, error);
    } catch (const std::bad_alloc&) {
        ShowFailure(ctx, KivoError(kOutOfMemory, QStringLiteral("Memoria esaurita"), kSource));
    } catch (const std::exception& error) {
        ShowFailure(ctx, KivoError(kInternalError, QString::fromLocal8Bit(error.what()), kSource));
    }
    return false;
}
