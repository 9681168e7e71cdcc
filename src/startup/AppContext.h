#pragma once
// The program-wide records, held in one context object that start-up creates and hands to every
// window and module. Tests build as many contexts as they need.

#include "data/Database.h"
#include "platform/Dialogs.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Section [opzioni] of configurazione.ini, read once at start-up (each value cut and trimmed).
struct Settings {
    QString PC;               // "Y" personalised batch, "P" diagnostic batch, else standard
    QString PNC;              // name of the personalisation
    QString PDA;              // folder of the batch PDF in personalised mode
    QString PNL;              // result file path in personalised mode
    QString TipoDb;           // "S" client/server edition, else single-user
    QString Server_Utente;
    QString Server_Password;
};

// Section [servizio]: where the list search service answers.
struct ServiceSettings {
    QString host = QStringLiteral("127.0.0.1:8731");          // host[:port]; the path is /ask_kivo.asmx
    QString ns = QStringLiteral("http://kivo.local/ricerca/");  // namespace of cerca_indice / cerca_dettaglio
    int connectTimeoutSeconds = 10;
    int answerTimeoutSeconds = 60;

    QString endpointUrl() const { return QStringLiteral("http://") + host + QStringLiteral("/ask_kivo.asmx"); }
};

// Section [siti]: official pages and contacts shown by the information windows and the detail window.
struct SiteSettings {
    QString paginaUE = QStringLiteral(
        "https://www.sanctionsmap.eu/#/main/details/");  // the EU list page; "en" + the hit's id is appended
    QString paginaUSA = QStringLiteral("https://sanctionssearch.ofac.treas.gov/");
    QString paginaONU = QStringLiteral("https://www.un.org/securitycouncil/sanctions/1267/aq_sanctions_list");
    QString mailAssistenza = QStringLiteral("assistenza@kivo.local");
};

struct AppState {
    QString ConnectionString;
    Database Connection;
    QString VersionText;
    QString ReleaseText;
    bool BatchMode = false;
    QStringList Arguments;
    QColor FocusColour{255, 255, 192};
    QColor FieldColour{255, 255, 255};
    QString CurrentOperator;
    QString ReportOperatorVat;
    QString ReportOperatorLabel;
    QString BatchPdfPath;
    QString ResultFilePath;
    QString OperatorToSelect;
    QString CurrentOperatorName;
};

// The state of the current search.
struct SearchRun {
    QString RunId;
    std::int64_t HitCount = 0;  // wide: a long mass verification never overflows it
    bool Found = false;
    QString ListDateUE;
    QString ListDateUSA;
    QString ListDateTALEB;
    QString SearchKind;  // "N" name, "C" tax code or VAT number, "D" document number
    QString RecordName;
    QString RecordList;
    QString RecordListId;
    QString SelectedList;
    QString SelectedId;
    QString SelectedName;
    // Run identifier of the hits that the outcome window shows and prints; a detail request
    // replaces RunId but not this one.
    QString OutcomeRunId;
};

// State of the list-grid module.
struct DateColumn {
    QString name;
    int position = 0;
};
struct GridState {
    QString CurrentSql;
    QStringList ReadColumns{QString()};
    QStringList ReadValues{QString()};
    std::vector<DateColumn> DateColumns;  // at most 10
    int LastSortColumn = 0;
    bool wideFirstColumn = false;
};

// The one open connection to a sibling program's database.
struct SiblingState {
    Database connection;
    QString connectionString;
    QString attachmentsRoot;
    QString filePath;
};

class SoapTransport;  // the search service's HTTP connection, kept alive between requests

struct AppContext {
    QString programDir;  // folder of the executable; every relative path starts here
    QString iniPath;     // programDir + "/configurazione.ini"
    QString helpFile;    // the program's help file, registered at start-up
    Settings settings;
    ServiceSettings service;
    SiteSettings sites;
    AppState app;
    SearchRun search;
    GridState grid;
    SiblingState sibling;
    std::shared_ptr<SoapTransport> transport;  // created by the first request
    Dialogs* dialogs = nullptr;                // never null once start-up has run

    // Ends the program at once, without clean-up, where a routine must not return to its caller
    // (e.g. an unreadable sibling connection file). Empty: std::exit. Tests set it to record the call.
    std::function<void(int exitCode)> endProgram;

    // The main window, set by start-up: the standard batch opens it as the frame of its outcome window.
    std::function<void(AppContext&)> showMainWindow;

    // programDir joined with a relative path written with "/".
    QString programPath(const QString& relative) const;
    // Runs endProgram (or std::exit when it is empty).
    void endProgramNow(int exitCode) const;
};
