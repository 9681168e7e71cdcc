#pragma once
// FEsito, the outcome of one search run: who searched, what, and the hits. A double click (or an
// arrow key) on a hit fetches its detail; the outcome report is previewed or saved as PDF.

#include "reports/ReportEngine.h"
#include "startup/AppContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class FEsito : public QWidget {
    Q_OBJECT
public:
    explicit FEsito(AppContext& ctx, QWidget* parent = nullptr);

    // Window load: operator, buttons by mode, then Lista. Runs again at every showing.
    void Load();
    // Fills the grid with the run's hits and recomputes SearchRun.Found.
    void Lista();
    // "A" previews the outcome report, "P" saves it as PDF and opens it.
    void PrintOutcome(const QString& mode);
    // The double click on a hit (and the release of an arrow key on the grid).
    void OpenSelectedDetail();
    // Sends the detail request of the selected hit and shows the detail window.
    void RicercaDettaglio();

    AppContext& context() const { return ctx_; }
    // Caption of the name column for the run's search kind, without brackets.
    QString nameCaption() const;

    QLabel* Label1 = nullptr;
    QLineEdit* vRag = nullptr;
    QLineEdit* NomeRic = nullptr;
    QLineEdit* CFRic = nullptr;
    QLineEdit* DocRic = nullptr;
    QLabel* Label2 = nullptr;
    QTreeWidget* LVEsito = nullptr;
    QPushButton* CmAnteprima = nullptr;
    QPushButton* CmPDF = nullptr;
    QPushButton* CmAltraRic = nullptr;
    QPushButton* Command3 = nullptr;
    ReportEngine RM;

signals:
    // Closing the window in batch mode ends the program.
    void programEndRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSearchFrame();
    QWidget* buildButtons();
    void showOperatorName();
    void closeWindow();
    void otherSearch();

    AppContext& ctx_;
};

// Fills the searched field by ctx.search.SearchKind with `searchedText` (the others empty) and
// shows the outcome window of the run just made (the open one when there is one).
void ShowOutcomeWindow(AppContext& ctx, const QString& searchedText);
