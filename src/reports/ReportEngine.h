#pragma once
// The program's report engine. Callers drive it in one fixed order: SetTemplate, SetParameter (one
// per parameter), SetConnection, SetDatasetSql, SetConnection, then SaveAsPdf or ShowPreview.
//
// A template (stampe/*.rep) is HTML with Mustache tags:
//   {{NAME}}            a report parameter, HTML-escaped
//   {{#DS}}...{{/DS}}   one repetition per row of the dataset "DS", in the order of its statement;
//                       inside, every column by its name as the database returns it, in lower case
//                       and in upper case ({{nome}}, {{NOME}}), plus
//                         {{_n}}            the row's number from 1,
//                         {{#_odd}}         true on rows 1, 3, 5... (for banded tables),
//                         {{#<col>_<v>}}    true when the one-character value of <col> is <v>
//                                           (e.g. {{#tr_H}} for a heading line of a detail)
//   {{^DS}}...{{/DS}}   shown when the dataset has no row
//   {{DS_COUNT}}        the number of rows;  {{DATA_STAMPA}} the printing date and time
// The HTML <title> becomes the PDF title and the left side of every page footer; the right side
// reads "Pagina n di m". A table's <thead> rows repeat at the top of every page.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QWidget;

class ReportEngine {
public:
    // Reads the template; throws KivoError when it cannot be read.
    void SetTemplate(const QString& path);
    void SetParameter(const QString& name, const QString& value);
    void SetConnection(const QString& name, const QString& connectionString);
    void SetDatasetSql(const QString& name, const QString& sql);

    // Writes the report as a compressed PDF; returns when the file is complete. A file that cannot
    // be written is left untouched. Throws KivoError.
    void SaveAsPdf(const QString& path);
    // Shows the report in a preview window (zoom, page navigation) and returns that window, which
    // deletes itself when closed. Throws KivoError.
    QWidget* ShowPreview(QWidget* parent = nullptr);

    // The pieces the two outputs share, for tests and benchmarks.
    QString RenderHtml() const;
    QByteArray RenderPdf() const;

    QString templatePath() const { return templatePath_; }
    const std::vector<std::pair<QString, QString>>& parameters() const { return parameters_; }
    QString datasetSql(const QString& name) const { return datasets_.value(name); }

private:
    QString templatePath_;
    QString templateText_;
    std::vector<std::pair<QString, QString>> parameters_;  // in the order set
    QMap<QString, QString> connections_;
    QString lastConnection_;
    QMap<QString, QString> datasets_;
};
