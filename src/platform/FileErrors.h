#pragma once
// The errors of files and folders that could not be created or written, numbered as users know them.

#include "platform/KivoError.h"

// 76 "Impossibile trovare il percorso" when the parent folder is missing (kind General: running with
// more rights would not help); 75 when the path is a folder; 70 "Permesso negato" otherwise (kind
// AccessDenied).
KivoError FileWriteError(const QString& path, const QString& source);
// A folder that could not be created: 70 "Permesso negato", kind AccessDenied.
KivoError FolderCreateError(const QString& path, const QString& source);
