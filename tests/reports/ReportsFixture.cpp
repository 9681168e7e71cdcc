#include "ReportsFixture.h"

#include "data/SqlText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>

OpenedUrls::OpenedUrls() {
    for (const char* scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

OpenedUrls::~OpenedUrls() {
    for (const char* scheme : {"file", "http", "https"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

namespace {

QString Run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

QString PdfText(const QString& path) {
    QString text = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    return text.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
}

bool PdfChecks(const QString& path) {
    int exitCode = -1;
    Run(QStringLiteral("qpdf"), {QStringLiteral("--check"), path}, &exitCode);
    return exitCode == 0;
}

int PdfPageCount(const QString& path) {
    const QString info = Run(QStringLiteral("pdfinfo"), {path});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

std::vector<qsizetype> Positions(const QString& text, const QStringList& parts) {
    std::vector<qsizetype> positions;
    for (const QString& part : parts)
        positions.push_back(text.indexOf(part));
    return positions;
}

ReportsFixture::ReportsFixture() : ctx(program.context(dialogs)) {
    program.copyResource(QStringLiteral("stampe"));
    ctx.app.ConnectionString = program.connectionString();
    ctx.app.Connection = Database::Open(ctx.app.ConnectionString);
    ctx.service.host = server.hostAndPort();
    ctx.search.RunId = ctx.search.OutcomeRunId = kRun;
    ctx.search.SearchKind = QStringLiteral("N");
    ctx.search.ListDateUE = QStringLiteral("05/11/2012");
    ctx.search.ListDateUSA = QStringLiteral("06/11/2012");
    ctx.search.ListDateTALEB = QStringLiteral("07/11/2012");
    ctx.endProgram = [](int) {};
}

ReportsFixture::~ReportsFixture() {
    // Windows left open by a test go with it, so the next test starts with none.
    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (!widget->parentWidget())
            windows << widget;
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
}

void ReportsFixture::addOperator(const QString& code, const QString& name, const QString& vat, const QString& town,
                                 const QString& province) const {
    ctx.app.Connection.execute(QStringLiteral("INSERT INTO OPE (ocod, orag, opiva, ocf, oindi, ocap, oloca, opr) VALUES (") +
                               QStringList{SqlQuote(code), SqlQuote(name), SqlQuote(vat), SqlQuote(QString()),
                                           SqlQuote(QString()), SqlQuote(QString()), SqlQuote(town), SqlQuote(province)}
                                   .join(u',') +
                               u')');
}

void ReportsFixture::addHits(const QString& run, const QStringList& names, const QString& list) const {
    int number = 0;
    for (const QString& name : names) {
        ++number;
        ctx.app.Connection.execute(QStringLiteral("INSERT INTO INDICE (idric, idricp, db, nome, dbid) VALUES (") +
                                   SqlQuote(run) + u',' + SqlQuote(QString::number(number)) + u',' + SqlQuote(list) +
                                   u',' + SqlQuote(name) + u',' + SqlQuote(QString::number(1000 + number)) + u')');
    }
}

void ReportsFixture::addDetailLines(const QString& run, const QStringList& typedLines) const {
    int number = 0;
    for (const QString& line : typedLines) {
        ++number;
        ctx.app.Connection.execute(QStringLiteral("INSERT INTO DETTAGLIO (idric, idricp, tr, testo) VALUES (") +
                                   SqlQuote(run) + u',' + SqlQuote(QString::number(number)) + u',' +
                                   SqlQuote(line.left(1)) + u',' + SqlQuote(line.mid(1)) + u')');
    }
}

void ReportsFixture::answerSearchWith(const std::vector<std::array<const char*, 3>>& hits) {
    std::string records = IndexElement("__DBUE", "UE", "05/11/2012") + IndexElement("__DBUSA", "USA", "06/11/2012") +
                          IndexElement("__DBTALEB", "TALEB", "07/11/2012");
    for (const auto& hit : hits)
        records += IndexElement(hit[0], hit[1], hit[2]);
    server.answerNext({.body = IndexAnswer(records)});
}
