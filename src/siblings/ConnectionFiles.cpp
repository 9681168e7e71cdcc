#include "siblings/ConnectionFiles.h"

#include "platform/Cp1252.h"
#include "platform/FileErrors.h"
#include "platform/KivoError.h"
#include "platform/WindowsDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSource = QStringLiteral("ConnectionFiles");
constexpr int kInputPastEnd = 62;

int LineConstant(int lineNumber)
{
    return kConnectionLineConstants[static_cast<size_t>(lineNumber - 1)];
}

QString FileName(Sibling sibling)
{
    switch (sibling) {
    case Sibling::ZARVA: return QStringLiteral("FSYSCOZ.DLL");
    case Sibling::MOVIK: return QStringLiteral("FSYSCOM.DLL");
    case Sibling::LUTERA: return QStringLiteral("FSYSCOLU.DLL");
    }
    return {};
}

[[noreturn]] void FailScramble(const QString& why)
{
    throw KivoError(ErrorNumber::InvalidProcedureCall,
                    QStringLiteral("Chiamata di routine o argomento non validi (") + why + u')', kSource);
}

// Fields end at a line end or a comma; CR LF counts as one line end.
QStringList SplitFields(const QString& text)
{
    QStringList fields;
    QString field;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',' || c == u'\n' || c == u'\r') {
            fields << field;
            field.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        field.append(c);
    }
    if (!field.isEmpty())
        fields << field;
    return fields;
}

QString ReadConnectionFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw KivoError(ErrorNumber::PermissionDenied, QStringLiteral("Impossibile leggere ") + path + u' ' +
                                                           file.errorString(), kSource);
    }
    return FromCp1252(file.readAll());
}

void ShowConnectionFailureAndEnd(AppContext& ctx, const QString& connectionString, const QString& description)
{
    ctx.dialogs->inform(QStringLiteral("Connessione: ") + MaskPassword(connectionString) +
                        QStringLiteral("\n Errore: ") + description);
    ctx.endProgramNow(1);
}

}  // namespace

QString ScrambleText(const QString& text, const QString& mode, int k)
{
    int direction = 0;
    if (mode == QStringLiteral("Scrivi"))
        direction = 1;
    else if (mode == QStringLiteral("Leggi"))
        direction = -1;
    else
        return text;

    QString result;
    result.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const int code = Cp1252Code(text[index]);
        if (code < 0)
            FailScramble(QStringLiteral("carattere non rappresentabile: ") + text[index]);
        const int position = static_cast<int>(index) + 1;
        const int shifted = code + direction * (k + position);
        if (shifted < 0 || shifted > 255)
            FailScramble(QStringLiteral("codice %1 fuori dall'intervallo 0-255 alla posizione %2").arg(shifted).arg(position));
        result.append(Cp1252ToChar(static_cast<unsigned char>(shifted)));
    }
    return result;
}

QString OwnConnectionFilePath()
{
    return WindowsDirectory() + QStringLiteral("/SYSTEM/FSYSCOK.DLL");
}

QString SiblingConnectionFilePath(Sibling sibling)
{
    return WindowsDirectory() + QStringLiteral("/SYSTEM/") + FileName(sibling);
}

void WriteOwnConnectionFile(const AppContext& ctx)
{
    const QStringList lines{ctx.app.ConnectionString, ctx.settings.TipoDb.left(1), ctx.programDir};
    QByteArray content;
    for (int n = 1; n <= lines.size(); ++n)
        content += ToCp1252(ScrambleText(lines[n - 1], QStringLiteral("Scrivi"), LineConstant(n))) + "\r\n";

    const QString path = OwnConnectionFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw FolderCreateError(folder, kSource);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size() ||
        !file.flush())
        throw FileWriteError(path, kSource);
}

bool SiblingConnection(AppContext& ctx, Sibling sibling)
{
    const QString path = SiblingConnectionFilePath(sibling);
    ctx.sibling.filePath = path;
    if (!QFileInfo::exists(path))
        return false;

    QString connectionString;
    try {
        // Field by field, as the file is read: a failure shows what was read up to then.
        const QStringList fields = SplitFields(ReadConnectionFile(path));
        QStringList plain;
        for (int n = 1; n <= 4; ++n) {
            if (n > fields.size())
                throw KivoError(kInputPastEnd, QStringLiteral("Input oltre la fine del file"), kSource);
            plain << ScrambleText(fields[n - 1], QStringLiteral("Leggi"), LineConstant(n));
            if (n == 1)
                connectionString = plain.front();
        }
        const QString attachmentsRoot = plain.back();
        Database connection = Database::Open(connectionString, DatabaseUse::Sibling);
        ctx.sibling.connection = connection;
        ctx.sibling.connectionString = connectionString;
        ctx.sibling.attachmentsRoot = attachmentsRoot;
        return true;
    } catch (const KivoError& error) {
        ShowConnectionFailureAndEnd(ctx, connectionString, error.description);
    } catch (const std::exception& error) {
        ShowConnectionFailureAndEnd(ctx, connectionString, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
