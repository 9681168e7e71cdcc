#include "platform/BatchCommand.h"

#include "platform/Cp1252.h"
#include "platform/KivoError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kSource = QStringLiteral("RunBatchCommand");

void WriteCommandFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw KivoError(ErrorNumber::PermissionDenied,
                        QStringLiteral("Permesso negato: ") + path + QStringLiteral(" (") + file.errorString() + u')',
                        kSource, ErrorKind::AccessDenied);
    }
    const QByteArray line = ToCp1252(text) + "\r\n";
    if (file.write(line) != line.size() || !file.flush()) {
        throw KivoError(ErrorNumber::PermissionDenied,
                        QStringLiteral("Scrittura non riuscita: ") + path + QStringLiteral(" (") + file.errorString() + u')',
                        kSource, ErrorKind::AccessDenied);
    }
}

// MD "folder" / MD folder -> folder; anything else -> empty.
QString FolderOfMakeDirectory(const QString& text)
{
    static const QRegularExpression quoted(QStringLiteral(R"re(^\s*(?:MD|MKDIR)\s+"([^"]+)"\s*$)re"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bare(QStringLiteral(R"re(^\s*(?:MD|MKDIR)\s+([^"\s]+)\s*$)re"),
                                         QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch match = quoted.match(text);
    if (!match.hasMatch())
        match = bare.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

void MakeDirectory(const QString& programDir, const QString& folder)
{
    // A relative folder starts in the program directory, where the command file runs.
    const QString path = QDir(programDir).absoluteFilePath(folder);
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path)) {
        throw KivoError(ErrorNumber::PathNotFound,
                        QStringLiteral("Impossibile creare la cartella ") + path, kSource, ErrorKind::AccessDenied);
    }
}

}  // namespace

void RunBatchCommand(const QString& programDir, const QString& text)
{
    WriteCommandFile(QDir(programDir).filePath(QStringLiteral("ALLEGATI.BAT")), text);
    if (text == QStringLiteral("NULLA"))
        return;
    const QString folder = FolderOfMakeDirectory(text);
    if (folder.isEmpty()) {
        throw KivoError(ErrorNumber::InvalidProcedureCall,
                        QStringLiteral("Comando non previsto in ALLEGATI.BAT: ") + text, kSource);
    }
    MakeDirectory(programDir, folder);
}
