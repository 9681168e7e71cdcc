#include "reports/TemplateData.h"

#include "platform/KivoError.h"

#include <QSqlRecord>

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

void SetColumn(MustacheData& row, const QString& name, const QString& value) {
    const std::string text = Utf8(value);
    row.set(Utf8(name), text);
    row.set(Utf8(name.toLower()), text);
    row.set(Utf8(name.toUpper()), text);
    // A one-character code (a detail line's type) can drive a section of its own.
    if (value.size() == 1 && value.at(0).isLetterOrNumber())
        row.set(Utf8(name.toLower() + QLatin1Char('_') + value), true);
}

}  // namespace

MustacheData DatasetRows(QSqlQuery& query) {
    MustacheData rows{MustacheData::type::list};
    int number = 0;
    while (query.next()) {
        const QSqlRecord record = query.record();
        MustacheData row;
        ++number;
        row.set("_n", std::to_string(number));
        row.set("_odd", number % 2 == 1);
        for (int i = 0; i < record.count(); ++i)
            SetColumn(row, record.fieldName(i), record.isNull(i) ? QString() : record.value(i).toString());
        rows.push_back(row);
    }
    return rows;
}

QString RenderTemplate(const QString& templateText, const MustacheData& data) {
    kainjow::mustache::mustache engine{Utf8(templateText)};
    if (!engine.is_valid())
        throw KivoError(ErrorNumber::Report, QStringLiteral("Modello di stampa non valido: ") +
                                                 QString::fromStdString(engine.error_message()),
                        QStringLiteral("ReportEngine"));
    const std::string html = engine.render(data);
    if (!engine.is_valid())
        throw KivoError(ErrorNumber::Report, QString::fromStdString(engine.error_message()),
                        QStringLiteral("ReportEngine"));
    return QString::fromStdString(html);
}
