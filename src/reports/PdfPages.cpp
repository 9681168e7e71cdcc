#include "reports/PdfPages.h"

#include "platform/KivoError.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace {

// The layout works in CSS pixels (96 per inch) like a browser, so templates size things in pt or
// px as they would for the screen; the painter scales up to the writer's resolution.
constexpr qreal kLayoutDpi = 96.0;
constexpr int kPdfDpi = 600;
constexpr qreal kMarginMm = 15.0;
constexpr qreal kFooterHeight = 28.0;  // layout pixels kept free at the foot of each page

QFont ReportFont() {
    QFont font(QStringLiteral("Nimbus Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.5);
    return font;
}

void DrawFooter(QPainter& painter, const QString& title, int page, int pageCount, const QSizeF& body) {
    const QRectF area(0, body.height(), body.width(), kFooterHeight);
    // The painter works in layout pixels; a point size would be taken at the writer's resolution.
    QFont font = ReportFont();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QPen(QColor(120, 120, 120), 0.6));
    painter.drawLine(QPointF(0, area.top() + 8), QPointF(body.width(), area.top() + 8));
    const QRectF text = area.adjusted(0, 11, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, title);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Pagina %1 di %2").arg(page).arg(pageCount));
}

}  // namespace

QByteArray HtmlToPdf(const QString& html) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);

    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("KIVO"));

    QTextDocument document;
    document.setUndoRedoEnabled(false);  // nothing is edited; spares the import its undo records
    document.setUseDesignMetrics(true);
    document.setDocumentMargin(0);
    document.setDefaultFont(ReportFont());
    document.setHtml(html);
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    writer.setTitle(title);

    const QRectF paintMm = writer.pageLayout().paintRect(QPageLayout::Millimeter);
    const QSizeF page(paintMm.width() / 25.4 * kLayoutDpi, paintMm.height() / 25.4 * kLayoutDpi);
    const QSizeF body(page.width(), page.height() - kFooterHeight);
    document.setPageSize(body);
    const int pageCount = document.pageCount();

    QPainter painter;
    if (!painter.begin(&writer))
        throw KivoError(ErrorNumber::Report, QStringLiteral("Impossibile creare il PDF"),
                        QStringLiteral("ReportEngine"));
    const qreal scale = writer.resolution() / kLayoutDpi;
    painter.scale(scale, scale);
    QAbstractTextDocumentLayout::PaintContext context;
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        const QRectF slice(0, page * body.height(), body.width(), body.height());
        painter.translate(0, -slice.top());
        painter.setClipRect(slice);
        context.clip = slice;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        DrawFooter(painter, title, page + 1, pageCount, body);
    }
    painter.end();
    return bytes;
}
