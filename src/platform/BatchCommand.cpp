#include "platform/BatchCommand.h"

#include "platform/FileErrors.h"
#include "platform/KivoError.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kSource = QStringLiteral("RunBatchCommand");

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
    if (!QDir().mkpath(path))
        throw FolderCreateError(path, kSource);
}

}  // namespace

void RunBatchCommand(const QString& programDir, const QString& text)
{
    WriteTextLine(QDir(programDir).filePath(QStringLiteral("ALLEGATI.BAT")), text, kSource);
    if (text == QStringLiteral("NULLA"))
        return;
    const QString folder = FolderOfMakeDirectory(text);
    if (folder.isEmpty()) {
        throw KivoError(ErrorNumber::InvalidProcedureCall,
                        QStringLiteral("Comando non previsto in ALLEGATI.BAT: ") + text, kSource);
    }
    MakeDirectory(programDir, folder);
}
