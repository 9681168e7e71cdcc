// Takes the screenshots that people look at (not a test): the welcome window, the operator register
// with a dozen operators and a field in error, and the two information windows, on the screen the
// program runs on. Usage: kivo_ui_screenshots <output folder>; scripts/screenshots.sh runs it under Xvfb.

#include "data/Database.h"
#include "operators/InputChecks.h"
#include "operators/OperatorRegister.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"
#include "ui/InformationWindows.h"
#include "ui/MainWindowFA.h"
#include "ui/WelcomeWindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

const char* const kOperators[][5] = {
    {"ROSSI01", "STUDIO ROSSI COMMERCIALISTI ASSOCIATI", "RSSMRA85T10A562S", "01234567890", "PARMA"},
    {"BNC02", "BIANCHI & PARTNERS SRL", "01234567891", "01234567891", "MILANO"},
    {"VRD03", "NOTAIO GIUSEPPE VERDI", "VRDGPP60A01H501X", "01234567892", "ROMA"},
    {"FIN04", "FINANZIARIA EMILIANA SPA", "01234567893", "01234567893", "REGGIO EMILIA"},
    {"CNT05", "CENTRO SERVIZI CONTABILI SAS", "01234567894", "01234567894", "MODENA"},
    {"AVV06", "AVV. LAURA FERRARI", "FRRLRA75C41F205K", "01234567895", "BOLOGNA"},
    {"REV07", "REVISORI UNITI SRL", "01234567896", "01234567896", "TORINO"},
    {"IMM08", "IMMOBILIARE DEL PO SRL", "01234567897", "01234567897", "PIACENZA"},
    {"ORO09", "COMPRO ORO LA FENICE", "01234567898", "01234567898", "NAPOLI"},
    {"CAM10", "CAMBIAVALUTE STAZIONE CENTRALE", "01234567899", "01234567899", "FIRENZE"},
    {"AGE11", "AGENZIA ASSICURATIVA GALLI", "01234567800", "01234567800", "VERONA"},
    {"CON12", "CONSULENZE DEL LAVORO MARINI", "01234567801", "01234567801", "BARI"},
};

void Save(QWidget* widget, const QString& folder, const QString& name)
{
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    qInfo("%s", qPrintable(path));
}

void Settle()
{
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents();
        QTest::qWait(40);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const QSize screen = app.primaryScreen()->size();
    const QString suffix = QStringLiteral("-%1x%2").arg(screen.width()).arg(screen.height());

    TempProgramDir dir;
    ScriptedDialogs dialogs;
    AppContext ctx = dir.context(dialogs);
    ctx.app.Connection = Database::Open(dir.connectionString());
    ctx.app.VersionText = QStringLiteral("Versione 1.0 - Monoutente");
    ctx.app.ReleaseText = QStringLiteral("Release 1.2.7 - 9 Novembre 2012");
    for (const auto& op : kOperators) {
        ctx.app.Connection.execute(QStringLiteral("INSERT INTO OPE (OCOD, ORAG, OCF, OPIVA, OINDI, OCAP, OLOCA, OPR) VALUES "
                                                  "('%1', '%2', '%3', '%4', 'VIA GARIBALDI 12', '43121', '%5', 'PR')")
                                       .arg(QLatin1String(op[0]), QString::fromLatin1(op[1]).replace(QLatin1Char('\''), QStringLiteral("''")),
                                            QLatin1String(op[2]), QLatin1String(op[3]), QLatin1String(op[4])));
    }

    FA window(ctx);
    window.show();
    window.load();
    Settle();
    Save(&window, folder, QStringLiteral("welcome") + suffix);

    window.findChild<FINI*>()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    Settle();
    Save(&window, folder, QStringLiteral("register") + suffix);

    // A wrong tax code: the main window is taken while the message is on screen, field in red.
    auto* taxCode = window.operatorRegister()->findChild<QLineEdit*>(QStringLiteral("tocf"));
    taxCode->setText(QStringLiteral("RSSMRA85T10A562X"));
    dialogs.onMessage = [&](const MessageRequest&) {
        Settle();
        Save(&window, folder, QStringLiteral("register-error") + suffix);
    };
    CheckTaxCodeField(ctx, taxCode);
    dialogs.onMessage = {};
    taxCode->setText(QStringLiteral("RSSMRA85T10A562S"));

    // With a running list search service (host:port in KIVO_SCREENSHOT_SERVICE) a name is searched
    // for and the outcome window is taken as well.
    const QString service = qEnvironmentVariable("KIVO_SCREENSHOT_SERVICE");
    if (!service.isEmpty()) {
        ctx.service.host = service;
        window.operatorRegister()->findChild<QLineEdit*>(QStringLiteral("NomeRic"))->setText(
            qEnvironmentVariable("KIVO_SCREENSHOT_NAME", QStringLiteral("BIN LADEN")));
        window.operatorRegister()->findChild<QPushButton*>(QStringLiteral("Cerca"))->click();
        Settle();
        Save(&window, folder, QStringLiteral("outcome") + suffix);
        for (const QString& text : dialogs.texts())
            qWarning("message: %s", qPrintable(text));
    }

    FSiti sites(ctx, &window);
    sites.show();
    Settle();
    Save(&sites, folder, QStringLiteral("sites") + suffix);
    FVer version(ctx, {}, &window);
    version.show();
    Settle();
    Save(&version, folder, QStringLiteral("version") + suffix);
    return 0;
}
