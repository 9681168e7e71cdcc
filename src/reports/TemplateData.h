#pragma once
// Builds the data a report template is rendered with: parameters by name and each dataset's rows.

#include <kainjow/mustache.hpp>

#include <QSqlQuery>
#include <QString>

using MustacheData = kainjow::mustache::data;

// One dataset's rows as a Mustache list (see ReportEngine.h for the keys of a row).
MustacheData DatasetRows(QSqlQuery& query);

// Renders the template text; throws KivoError (ErrorNumber::Report) when the template is malformed.
QString RenderTemplate(const QString& templateText, const MustacheData& data);
