#pragma once
// FDett, the detail sheet of one hit: its name, list and identifier, and the lines the detail
// request stored; the detail report is previewed or saved as PDF; EU hits open the official page.

#include "reports/ReportEngine.h"
#include "startup/AppContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// Full name of a list by its code ("UE", "USA", "TALEB"); a single blank for any other code.
QString ListFullName(const QString& listCode);

class FDett : public QWidget {
    Q_OBJECT
public:
    explicit FDett(AppContext& ctx, QWidget* parent = nullptr);

    // Window load: the lines of the current detail request, headings in blue, the header fields,
    // the EU button. Runs again for every new detail request.
    void Load();
    void Lista();
    // "A" previews the detail report, "P" saves it as PDF and opens it.
    void PrintDetail(const QString& mode);
    // "Vai all'URL Ufficiale": asks, then opens the official EU page of the hit.
    void OpenOfficialPage();

    AppContext& context() const { return ctx_; }

    QLabel* Label1 = nullptr;
    QLineEdit* vRag = nullptr;
    QLineEdit* d1 = nullptr;
    QLineEdit* d2 = nullptr;
    QLineEdit* d3 = nullptr;
    QTreeWidget* LVDett = nullptr;
    QPushButton* CmdUe = nullptr;
    QPushButton* CmAnteprima = nullptr;
    QPushButton* CmPDF = nullptr;
    QPushButton* Command3 = nullptr;
    ReportEngine RM;

private:
    QWidget* buildHeaderFrame();
    QWidget* buildButtons();
    void colourHeadingLines();
    void backToOutcome();

    AppContext& ctx_;
};

// Shows the detail window of the request just made (the open one when there is one), with the
// outcome window's operator text.
void ShowDetailWindow(AppContext& ctx, const QString& operatorText);
