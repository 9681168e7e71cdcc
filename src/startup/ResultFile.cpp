#include "startup/ResultFile.h"

#include "platform/KivoError.h"
#include "platform/TextFile.h"

#include <QDir>

namespace {

const QString kSource = QStringLiteral("AppendLog");
const QString kDefaultName = QStringLiteral("VERIFICA_KIVO.TXT");
const QString kFirstLine = QStringLiteral("LANCIO=OK");

}  // namespace

void StartResultFile(AppContext& ctx)
{
    const QString configured = ctx.settings.PNL;
    ctx.app.ResultFilePath = configured.isEmpty() ? ctx.programPath(kDefaultName)
                                                  : QDir(ctx.programDir).absoluteFilePath(configured);
    try {
        WriteTextLine(ctx.app.ResultFilePath, kFirstLine, kSource);
        return;
    } catch (const KivoError& error) {
        if (configured.isEmpty())
            throw;  // the program directory itself cannot be written: nowhere to fall back to
        ctx.app.ResultFilePath = ctx.programPath(kDefaultName);
        WriteTextLine(ctx.app.ResultFilePath, kFirstLine, kSource);
        AppendLog(ctx, QStringLiteral("LOG: ") + configured + QStringLiteral(" - Errore ") +
                           QString::number(error.number) + u' ' + error.description);
    }
}

void AppendLog(const AppContext& ctx, const QString& line)
{
    AppendTextLine(ctx.app.ResultFilePath, line, kSource);
}
