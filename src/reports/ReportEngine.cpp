#include "reports/ReportEngine.h"

#include "data/Database.h"
#include "platform/KivoError.h"
#include "reports/PdfPages.h"
#include "reports/ReportPreview.h"
#include "reports/TemplateData.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

KivoError ReportError(int number, const QString& description) {
    return KivoError(number, description, QStringLiteral("ReportEngine"));
}

QString ReadTemplate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(ErrorNumber::FileNotFound, QStringLiteral("Modello di stampa non trovato: ") + path);
    return QString::fromUtf8(file.readAll());
}

}  // namespace

void ReportEngine::SetTemplate(const QString& path) {
    templateText_ = ReadTemplate(path);
    templatePath_ = path;
}

void ReportEngine::SetParameter(const QString& name, const QString& value) {
    for (auto& parameter : parameters_) {
        if (parameter.first == name) {
            parameter.second = value;
            return;
        }
    }
    parameters_.emplace_back(name, value);
}

void ReportEngine::SetConnection(const QString& name, const QString& connectionString) {
    connections_.insert(name, connectionString);
    lastConnection_ = name;
}

void ReportEngine::SetDatasetSql(const QString& name, const QString& sql) { datasets_.insert(name, sql); }

QString ReportEngine::RenderHtml() const {
    if (templatePath_.isEmpty())
        throw ReportError(ErrorNumber::Report, QStringLiteral("Modello di stampa non impostato"));
    MustacheData data;
    for (const auto& [name, value] : parameters_)
        data.set(name.toStdString(), value.toStdString());
    data.set("DATA_STAMPA",
             QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")).toStdString());
    if (!datasets_.isEmpty()) {
        if (lastConnection_.isEmpty())
            throw ReportError(ErrorNumber::Report, QStringLiteral("Connessione della stampa non impostata"));
        // The report reads through a connection of its own, as the template's database would.
        const Database database = Database::Open(connections_.value(lastConnection_));
        for (auto it = datasets_.cbegin(); it != datasets_.cend(); ++it) {
            QSqlQuery query = database.select(it.value());
            const MustacheData rows = DatasetRows(query);
            data.set(it.key().toStdString() + "_COUNT", std::to_string(rows.list_value().size()));
            data.set(it.key().toStdString(), rows);
        }
    }
    return RenderTemplate(templateText_, data);
}

QByteArray ReportEngine::RenderPdf() const { return HtmlToPdf(RenderHtml()); }

void ReportEngine::SaveAsPdf(const QString& path) {
    const QByteArray pdf = RenderPdf();
    // Written aside and renamed at the end: a failed run never leaves half a file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw KivoError(ErrorNumber::PathNotFound,
                        QStringLiteral("Impossibile scrivere il file ") + path + QStringLiteral(": ") +
                            file.errorString(),
                        QStringLiteral("ReportEngine"), ErrorKind::AccessDenied);
    file.write(pdf);
    if (!file.commit())
        throw KivoError(ErrorNumber::PermissionDenied,
                        QStringLiteral("Impossibile scrivere il file ") + path + QStringLiteral(": ") +
                            file.errorString(),
                        QStringLiteral("ReportEngine"), ErrorKind::AccessDenied);
}

QWidget* ReportEngine::ShowPreview(QWidget* parent) {
    const QByteArray pdf = RenderPdf();
    return ShowPdfPreview(pdf, QFileInfo(templatePath_).completeBaseName(), parent);
}
