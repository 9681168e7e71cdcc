#include "reports/OutcomeWindow.h"

#include "data/GridModule.h"
#include "data/SqlText.h"
#include "platform/KivoError.h"
#include "reports/ChildWindows.h"
#include "reports/DetailWindow.h"
#include "reports/ReportSetup.h"
#include "reports/WindowParts.h"
#include "search/DetailRequest.h"
#include "ui/WindowHost.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kKey = QStringLiteral("FESITO");
const QColor kSearchFieldColour(255, 224, 192);

QPointer<FEsito> openOutcomeWindow;

QLineEdit* SearchField(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(70);
    SetFieldBackground(field, kSearchFieldColour);
    return field;
}

}  // namespace

FEsito::FEsito(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("FEsito"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Esito Ricerca"));

    Label1 = TitleLabel(this, QStringLiteral("Esito Ricerca"));
    QHBoxLayout* operatorRow = OperatorRow(this, QStringLiteral("Label5"), vRag);

    Label2 = new QLabel(QStringLiteral("Cliccare DUE volte sul nomivativo per la SCHEDA DETTAGLIO"), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    LVEsito = SortableGrid(ctx_, this, QStringLiteral("LVEsito"));
    LVEsito->installEventFilter(this);
    connect(LVEsito, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSelectedDetail(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(operatorRow);
    layout->addWidget(buildSearchFrame());
    layout->addWidget(Label2);
    layout->addWidget(LVEsito, 1);
    layout->addWidget(buildButtons());
    connect(this, &FEsito::programEndRequested, this, [this] { ctx_.endProgramNow(0); });
}

QWidget* FEsito::buildSearchFrame() {
    auto* Frame2 = new QGroupBox(QStringLiteral(" Ricerca di:  "), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    NomeRic = SearchField(Frame2, QStringLiteral("NomeRic"));
    CFRic = SearchField(Frame2, QStringLiteral("CFRic"));
    DocRic = SearchField(Frame2, QStringLiteral("DocRic"));
    NomeRic->installEventFilter(this);
    auto* grid = new QGridLayout(Frame2);
    grid->addWidget(new QLabel(QStringLiteral("Nome completo"), Frame2), 0, 0);
    grid->addWidget(NomeRic, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Codice Fiscale / Partita Iva"), Frame2), 1, 0);
    grid->addWidget(CFRic, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Numero Documento (passaporto, C. Id. etc)"), Frame2), 2, 0);
    grid->addWidget(DocRic, 2, 1);
    return Frame2;
}

QWidget* FEsito::buildButtons() {
    auto* row = new QWidget(this);
    CmAnteprima = NamedButton(row, QStringLiteral("CmAnteprima"), QStringLiteral("Anteprima "));
    CmPDF = NamedButton(row, QStringLiteral("CmPDF"), QStringLiteral("Stampa PDF"));
    CmPDF->setDefault(true);
    CmAltraRic = NamedButton(row, QStringLiteral("CmAltraRic"), QStringLiteral("Altra Ricerca"));
    Command3 = NamedButton(row, QStringLiteral("Command3"), QStringLiteral("Chiudi"));
    connect(CmAnteprima, &QPushButton::clicked, this, [this] { PrintOutcome(QStringLiteral("A")); });
    connect(CmPDF, &QPushButton::clicked, this, [this] { PrintOutcome(QStringLiteral("P")); });
    connect(CmAltraRic, &QPushButton::clicked, this, [this] { otherSearch(); });
    connect(Command3, &QPushButton::clicked, this, [this] { closeWindow(); });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    for (QPushButton* button : {CmAnteprima, CmPDF, CmAltraRic, Command3})
        layout->addWidget(button);
    return row;
}

void FEsito::Load() {
    if (ctx_.app.BatchMode) {
        CmAnteprima->hide();
        CmAltraRic->show();
        CmPDF->setText(QStringLiteral("Crea allegato PDF"));
        NomeRic->setText(ctx_.app.Arguments.value(1));
    } else {
        CmAnteprima->show();
        CmAltraRic->hide();
        CmPDF->setText(QStringLiteral("Crea PDF"));
    }
    showOperatorName();
    Lista();
}

void FEsito::showOperatorName() {
    if (!ctx_.app.BatchMode) {
        vRag->setText(ctx_.app.CurrentOperatorName);
        return;
    }
    if (!ctx_.app.ReportOperatorLabel.isEmpty()) {
        vRag->setText(ctx_.app.ReportOperatorLabel);
        return;
    }
    const auto row = ctx_.app.Connection.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") +
                                                   SqlQuote(ctx_.app.CurrentOperator));
    vRag->setText(row ? row->value(QStringLiteral("orag")).toString()
                      : QStringLiteral(" Codice operatore ") + ctx_.app.CurrentOperator + QStringLiteral(" NON registrato"));
}

QString FEsito::nameCaption() const {
    if (ctx_.search.SearchKind == QLatin1String("D"))
        return QStringLiteral("Documento");
    if (ctx_.search.SearchKind == QLatin1String("C"))
        return QStringLiteral("Codice Fiscale");
    return QStringLiteral("Nominativo");
}

void FEsito::Lista() {
    ctx_.grid.CurrentSql = QStringLiteral("SELECT db AS [DataBase], nome as [") + nameCaption() +
                           QStringLiteral("], dbid as [Id] FROM INDICE WHERE IDRIC= ") +
                           SqlQuote(ctx_.search.OutcomeRunId) + QStringLiteral(" ORDER BY NOME");
    ctx_.grid.ReadColumns = QStringList{QString()};
    FillGrid(ctx_, LVEsito);

    const int rows = LVEsito->topLevelItemCount();
    if (rows == 1) {
        ctx_.grid.ReadColumns = QStringList{nameCaption()};
        ReadSelectedRow(ctx_, LVEsito);
        ctx_.search.Found = !ctx_.grid.ReadValues.value(0).startsWith(QLatin1String("LA RICERCA"));
    } else {
        ctx_.search.Found = rows >= 2;
    }
}

void FEsito::OpenSelectedDetail() {
    if (!ctx_.search.Found) {
        ctx_.dialogs->inform(QStringLiteral("Il nominativo non è stato trovato nelle liste: nessun dettaglio disponibile."),
                             QStringLiteral("Dettaglio ricerca"), MessageIcon::Information);
        return;
    }
    ctx_.grid.ReadColumns = QStringList{QStringLiteral("DataBase"), QStringLiteral("Id"), nameCaption()};
    ReadSelectedRow(ctx_, LVEsito);
    ctx_.search.SelectedList = ctx_.grid.ReadValues.value(0);
    ctx_.search.SelectedId = ctx_.grid.ReadValues.value(1);
    ctx_.search.SelectedName = ctx_.grid.ReadValues.value(2);
    RicercaDettaglio();
}

void FEsito::RicercaDettaglio() {
    // A failing request must not end the program: the outcome window stays open and usable.
    try {
        if (!FetchDetail(ctx_))
            return;
    } catch (const KivoError& error) {
        ctx_.dialogs->message({QStringLiteral("Errore ") + QString::number(error.number) + u' ' + error.description,
                               QStringLiteral("Dettaglio ricerca"), MessageIcon::Critical});
        return;
    }
    ShowDetailWindow(ctx_, vRag->text());
}

void FEsito::PrintOutcome(const QString& mode) {
    // Any failure, a cancelled dialog included, ends the print without a word.
    try {
        const bool toFile = mode == QLatin1String("P");
        QString file = ctx_.app.BatchPdfPath;
        if (toFile && !ctx_.app.BatchMode) {
            file = ctx_.dialogs->saveFileName({QStringLiteral("Indica dove salvare la scheda PDF della ricerca"),
                                               QStringLiteral("KIVO_RICERCA_") + NomeRic->text() + QStringLiteral(".pdf"),
                                               QStringLiteral("PDF Files (*.PDF)"), QStringLiteral("pdf")});
            if (file.isEmpty())
                return;
        }
        if (!LoadReportOperator(ctx_, QStringLiteral("Stampa Esito")))
            return;
        // The hits of the search, even after a detail request has moved RunId on.
        SetUpOutcomeReport(RM, ctx_,
                           {ctx_.app.ReportOperatorVat, ctx_.app.ReportOperatorLabel, ctx_.search.OutcomeRunId,
                            SearchedElementText(NomeRic->text(), CFRic->text(), DocRic->text()),
                            ctx_.search.OutcomeRunId});
        SaveOrPreview(RM, toFile, file, this);
    } catch (const std::exception&) {
    }
}

void FEsito::otherSearch() {
    close();
    if (BringBackWindow(QStringLiteral("FOPC")))
        return;
    // Started by a sibling program, the register has not been opened yet.
    if (WindowHost* host = MainWindowHost())
        host->openOperatorRegister();
}

void FEsito::closeWindow() {
    close();
    SetToolbarFor(QStringLiteral("FOPC"));
    if (ctx_.app.BatchMode)
        emit programEndRequested();
}

bool FEsito::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LVEsito && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            // The arrow moved the current row; with the hidden first column the view does not
            // select it, so the selection is made to follow before the row is read.
            if (QTreeWidgetItem* current = LVEsito->currentItem()) {
                LVEsito->clearSelection();
                current->setSelected(true);
            }
            OpenSelectedDetail();
        }
    } else if (watched == NomeRic && event->type() == QEvent::FocusIn) {
        SetFieldBackground(NomeRic, ctx_.app.FocusColour);
    } else if (watched == NomeRic && event->type() == QEvent::FocusOut) {
        SetFieldBackground(NomeRic, ctx_.app.FieldColour);
    }
    return QWidget::eventFilter(watched, event);
}

void ShowOutcomeWindow(AppContext& ctx, const QString& searchedText) {
    ctx.search.OutcomeRunId = ctx.search.RunId;
    FEsito* window = openOutcomeWindow;
    // A window already closed waits only for its deletion: it is not the open one.
    if (!window || !window->isVisible() || &window->context() != &ctx) {
        window = new FEsito(ctx);
        openOutcomeWindow = window;
    }
    const QString kind = ctx.search.SearchKind;
    window->NomeRic->setText(kind == QLatin1String("N") ? searchedText : QString());
    window->CFRic->setText(kind == QLatin1String("C") ? searchedText : QString());
    window->DocRic->setText(kind == QLatin1String("D") ? searchedText : QString());
    ShowChildWindow(window, kKey);
    window->Load();
}
