// Time to PDF and peak memory of the two large reports: an outcome report of 5,000 hits and a
// detail report of 2,000 lines, from the database rows to the finished file.
// Usage: kivo_report_bench outcome|detail [rows]   (one report per process, so that each peak
// resident size is that report's own; bench/reports/run-bench.sh runs both)
#include "data/Database.h"
#include "data/SqlText.h"
#include "reports/ReportEngine.h"
#include "reports/ReportSetup.h"
#include "startup/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

const QString kRun = QStringLiteral("11/12/2026 - 06:30:12");

// Processor time of this process: the figure that other programs on a busy machine disturb least.
double CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void InsertRows(const Database& db, const QString& table, int count, const std::function<QString(int)>& values) {
    db.execute(QStringLiteral("BEGIN"));
    for (int i = 1; i <= count; ++i)
        db.execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES (") + values(i) + u')');
    db.execute(QStringLiteral("COMMIT"));
}

QString HitValues(int i) {
    static const char* lists[] = {"UE", "USA", "TALEB"};
    return SqlQuote(kRun) + u',' + SqlQuote(QString::number(i)) + u',' + SqlQuote(QString::fromLatin1(lists[i % 3])) +
           u',' + SqlQuote(QStringLiteral("MOHAMMED ABDUL RAHMAN AL HASSAN %1").arg(i, 4, 10, QLatin1Char('0'))) + u',' +
           SqlQuote(QStringLiteral("EU.%1.%2").arg(1000 + i).arg(i % 97));
}

QString DetailValues(int i) {
    const bool heading = i % 12 == 1;
    const QString text = heading ? QStringLiteral("DATI ANAGRAFICI - SEZIONE %1").arg(i / 12 + 1)
                                 : QStringLiteral("Luogo di nascita Kabul Afghanistan  data di nascita 01/01/1970  "
                                                  "passaporto n. X%1  nazionalita afgana  riga %2")
                                       .arg(100000 + i)
                                       .arg(i);
    return SqlQuote(kRun) + u',' + SqlQuote(QString::number(i)) + u',' + SqlQuote(heading ? QStringLiteral("H")
                                                                                        : QStringLiteral("X")) +
           u',' + SqlQuote(text);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString kind = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("outcome");
    const bool outcome = kind == QLatin1String("outcome");
    const int rows = argc > 2 ? std::atoi(argv[2]) : (outcome ? 5000 : 2000);

    QTemporaryDir dir;
    AppContext ctx;
    ctx.programDir = dir.path();
    QDir(dir.path()).mkpath(QStringLiteral("stampe"));
    for (const char* name : {"KIVO_INDICE.rep", "KIVO_NT.rep", "KIVO_DETTAGLIO.rep"})
        QFile::copy(QStringLiteral(KIVO_TEMPLATES_DIR "/") + QString::fromLatin1(name),
                    ctx.programPath(QStringLiteral("stampe/") + QString::fromLatin1(name)));
    const QString database = ctx.programPath(QStringLiteral("KIVO_97.mdb"));
    CreateDatabaseFile(database, QStringLiteral(KIVO_SCHEMA_FILE));
    ctx.app.ConnectionString = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + database;
    ctx.app.Connection = Database::Open(ctx.app.ConnectionString);
    InsertRows(ctx.app.Connection, outcome ? QStringLiteral("INDICE") : QStringLiteral("DETTAGLIO"), rows,
               outcome ? HitValues : DetailValues);
    ctx.search.RunId = kRun;
    ctx.search.Found = true;
    ctx.search.ListDateUE = QStringLiteral("10/12/2026");
    ctx.search.ListDateUSA = QStringLiteral("09/12/2026");
    ctx.search.ListDateTALEB = QStringLiteral("08/12/2026");
    const long baseline = PeakResidentKiB();

    ReportEngine engine;
    if (outcome)
        SetUpOutcomeReport(engine, ctx, {QStringLiteral("01234567890"), QStringLiteral("STUDIO ROSSI /  MILANO (MI)"),
                                         kRun, QStringLiteral("Nome = MOHAMMED"), kRun});
    else
        SetUpDetailReport(engine, ctx, {QStringLiteral("MOHAMMED AL HASSAN"), QStringLiteral("Unione Europea"),
                                        QStringLiteral("EU.1234.56")});
    const QString pdf = ctx.programPath(QStringLiteral("report.pdf"));

    // Best of three runs of the whole path, and where the time of the last one goes.
    qint64 best = -1;
    double bestCpu = -1;
    qint64 htmlMs = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = CpuMs();
        engine.SaveAsPdf(pdf);
        const qint64 elapsed = timer.elapsed();
        const double cpu = CpuMs() - cpuBefore;
        best = best < 0 ? elapsed : std::min(best, elapsed);
        bestCpu = bestCpu < 0 ? cpu : std::min(bestCpu, cpu);
    }
    QElapsedTimer timer;
    timer.start();
    const QString html = engine.RenderHtml();
    htmlMs = timer.elapsed();

    std::printf("%s report, %d rows: %lld ms to PDF, %.0f ms processor time (best of 3; database + template %lld ms, "
                "layout and PDF the rest), %lld KiB, peak resident %ld MiB (%ld MiB before the report)\n",
                outcome ? "outcome" : "detail", rows, static_cast<long long>(best), bestCpu, static_cast<long long>(htmlMs),
                static_cast<long long>(QFileInfo(pdf).size() / 1024), PeakResidentKiB() / 1024, baseline / 1024);
    return 0;
}
