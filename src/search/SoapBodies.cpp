#include "search/SoapBodies.h"

#include <QStringList>

namespace {

const QString kXmlDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
const QString kEnvelopeOpen = QStringLiteral(
    "<soap12:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\">");

// The envelope around one operation element; every line, the last too, ends with a line feed.
QByteArray Envelope(const QString& operation, const QString& serviceNamespace, const QStringList& content)
{
    QStringList lines{kXmlDeclaration, kEnvelopeOpen, QStringLiteral("<soap12:Body>"),
                      QStringLiteral("<%1 xmlns=\"%2\">").arg(operation, XmlEscaped(serviceNamespace))};
    lines << content;
    lines << QStringLiteral("</%1>").arg(operation) << QStringLiteral("</soap12:Body>")
          << QStringLiteral("</soap12:Envelope>");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

}  // namespace

QString XmlEscaped(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': escaped += QLatin1String("&amp;"); break;
        case '<': escaped += QLatin1String("&lt;"); break;
        case '>': escaped += QLatin1String("&gt;"); break;
        case '"': escaped += QLatin1String("&quot;"); break;
        case '\'': escaped += QLatin1String("&apos;"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QByteArray IndexRequestBody(const QString& serviceNamespace, const QString& searchText)
{
    return Envelope(QStringLiteral("cerca_indice"), serviceNamespace,
                    {QStringLiteral("<ric_str>") + XmlEscaped(searchText) + QStringLiteral("</ric_str>")});
}

QByteArray DetailRequestBody(const QString& serviceNamespace, const QString& list, const QString& listId)
{
    return Envelope(QStringLiteral("cerca_dettaglio"), serviceNamespace,
                    {QStringLiteral("<idx>"), QStringLiteral("<nome> </nome>"),
                     QStringLiteral("<dborigine>") + XmlEscaped(list) + QStringLiteral("</dborigine>"),
                     QStringLiteral("<id_db_origine>") + XmlEscaped(listId) + QStringLiteral("</id_db_origine>"),
                     QStringLiteral("</idx>")});
}
