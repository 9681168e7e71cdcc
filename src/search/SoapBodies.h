#pragma once
// The two request bodies of the list search service, byte for byte: lines ended by a line feed
// alone, no indentation, UTF-8.

#include <QByteArray>
#include <QString>

// cerca_indice for a search text already normalised (A-Z, 0-9 and blanks).
QByteArray IndexRequestBody(const QString& serviceNamespace, const QString& searchText);

// cerca_dettaglio for one hit: its list code and its identifier in that list.
QByteArray DetailRequestBody(const QString& serviceNamespace, const QString& list, const QString& listId);

// The text with &, <, >, " and ' written as entities, so that no value can change the XML around it.
QString XmlEscaped(const QString& text);
