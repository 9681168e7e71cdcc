#pragma once
// What the outcome and detail reports are fed with: the operator printed on them, the text of the
// element searched, and the engine set up in its fixed order.

#include "reports/ReportEngine.h"
#include "startup/AppContext.h"

#include <QString>

class QWidget;

// The texts a report prints for the operator and the search.
struct OutcomeReportValues {
    QString pcf;     // operator's VAT or tax number
    QString prag;    // operator's label
    QString pidric;  // run identifier as printed
    QString pnome;   // the element searched
    QString runId;   // run whose INDICE rows are listed
};

struct DetailReportValues {
    QString name;     // d1: the hit's name
    QString list;     // d2: the list's full name
    QString entryId;  // d3: the hit's identifier in its list
};

// Sets ReportOperatorVat and ReportOperatorLabel for printing: kept as they are when the batch
// command line gave them (five arguments, the fourth not empty), else read from the current
// operator's OPE row. When the operator is not registered, shows the "Il codice operatore ..."
// message under `title` and returns false.
bool LoadReportOperator(AppContext& ctx, const QString& title);
// True when the batch command line gave the operator's VAT number and label (five arguments).
bool OperatorFromCommandLine(const AppContext& ctx);

// "Nome = ...", " Codice Fiscale = ...", " Documento = ..." for the fields that are not blank.
QString SearchedElementText(const QString& name, const QString& taxCode, const QString& document);

// The outcome report: KIVO_INDICE when ctx.search.Found, else KIVO_NT, with its parameters and the
// run's hits in name order. The batch logs the outcome between the two steps.
void SetUpOutcomeReport(ReportEngine& engine, const AppContext& ctx, const OutcomeReportValues& values);
void SetOutcomeTemplate(ReportEngine& engine, const AppContext& ctx);
void SetOutcomeParameters(ReportEngine& engine, const AppContext& ctx, const OutcomeReportValues& values);
// The last step of a print: saves the PDF to `file` and opens it, or shows the preview over `parent`.
void SaveOrPreview(ReportEngine& engine, bool toFile, const QString& file, QWidget* parent);
// The detail report: KIVO_DETTAGLIO with the lines of ctx.search.RunId in their order.
void SetUpDetailReport(ReportEngine& engine, const AppContext& ctx, const DetailReportValues& values);
