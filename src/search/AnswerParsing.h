#pragma once
// Reading the service's answers. Elements are selected by their names as written in the answer
// ("//*/indice", "//*/cerca_dettaglioResult"), whatever namespace the answer declares for them.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One "indice" element of a cerca_indice answer: the texts of its children "nome", "dborigine" and
// "id_db_origine", each absent when the element has no such child.
struct IndexRecord {
    std::optional<QString> nome;
    std::optional<QString> dborigine;
    std::optional<QString> idDbOrigine;
};

// The records in document order. When the answer is not well-formed XML, *error gets the parser's
// reason and the result is empty; otherwise *error is cleared.
std::vector<IndexRecord> ParseIndexAnswer(const QByteArray& answer, QString* error);

// The detail lines of a cerca_dettaglio answer: the text of every child of every
// "cerca_dettaglioResult" element, in document order. Errors as for ParseIndexAnswer.
QStringList ParseDetailAnswer(const QByteArray& answer, QString* error);
