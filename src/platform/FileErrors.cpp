#include "platform/FileErrors.h"

#include <QFileInfo>

namespace {
constexpr int kPathFileAccess = 75;
}

KivoError FileWriteError(const QString& path, const QString& source)
{
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir()) {
        return KivoError(ErrorNumber::PathNotFound, QStringLiteral("Impossibile trovare il percorso ") + path,
                         source, ErrorKind::General);
    }
    if (info.isDir()) {
        return KivoError(kPathFileAccess, QStringLiteral("Errore di accesso al percorso/file ") + path, source,
                         ErrorKind::AccessDenied);
    }
    return KivoError(ErrorNumber::PermissionDenied, QStringLiteral("Permesso negato: ") + path, source,
                     ErrorKind::AccessDenied);
}

KivoError FolderCreateError(const QString& path, const QString& source)
{
    return KivoError(ErrorNumber::PermissionDenied,
                     QStringLiteral("Permesso negato: impossibile creare la cartella ") + path, source,
                     ErrorKind::AccessDenied);
}
