#pragma once
// Lays an HTML document out on A4 pages and writes them as PDF, with "Pagina n di m" at the foot
// of every page.

#include <QByteArray>
#include <QString>

// Throws KivoError when nothing could be drawn.
QByteArray HtmlToPdf(const QString& html);
