#include "reports/DetailWindow.h"

#include "data/GridModule.h"
#include "data/SqlText.h"
#include "platform/DesktopOpen.h"
#include "reports/ChildWindows.h"
#include "reports/ReportSetup.h"
#include "reports/WindowParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kKey = QStringLiteral("FDETT");
const QColor kHeaderFieldColour(192, 255, 255);
const QColor kHeadingColour(0, 0, 255);

QPointer<FDett> openDetailWindow;

QLineEdit* HeaderField(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(QStringLiteral(" "), parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    SetFieldBackground(field, kHeaderFieldColour);
    return field;
}

int ColumnCaptioned(const QTreeWidget* grid, const QString& caption) {
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (grid->headerItem()->text(column) == caption)
            return column;
    }
    return -1;
}

}  // namespace

QString ListFullName(const QString& listCode) {
    if (listCode == QLatin1String("UE"))
        return QStringLiteral("Unione Europea");
    if (listCode == QLatin1String("USA"))
        return QStringLiteral("Stati Uniti - Dipartimento del Tesoro");
    if (listCode == QLatin1String("TALEB"))
        return QStringLiteral("ONU - Consiglio di Sicurezza (Lista Talebani)");
    return QStringLiteral(" ");
}

FDett::FDett(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("FDett"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Esito Ricerca"));

    Label1 = TitleLabel(this, QStringLiteral("Scheda Dettaglio"));
    QHBoxLayout* operatorRow = OperatorRow(this, QStringLiteral("Label4"), vRag);
    LVDett = SortableGrid(ctx_, this, QStringLiteral("LVDett"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(operatorRow);
    layout->addWidget(buildHeaderFrame());
    layout->addWidget(LVDett, 1);
    layout->addWidget(buildButtons());
}

QWidget* FDett::buildHeaderFrame() {
    auto* Frame2 = new QGroupBox(QStringLiteral(" Nominativo cercato:  "), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    d1 = HeaderField(Frame2, QStringLiteral("d1"));
    d2 = HeaderField(Frame2, QStringLiteral("d2"));
    d3 = HeaderField(Frame2, QStringLiteral("d3"));
    d3->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(Frame2);
    grid->addWidget(new QLabel(QStringLiteral("Nome completo"), Frame2), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Black List d'origine"), Frame2), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Identificativo "), Frame2), 0, 2, Qt::AlignHCenter);
    grid->addWidget(d1, 1, 0);
    grid->addWidget(d2, 1, 1);
    grid->addWidget(d3, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    return Frame2;
}

QWidget* FDett::buildButtons() {
    auto* row = new QWidget(this);
    CmdUe = NamedButton(row, QStringLiteral("CmdUe"), QStringLiteral("Vai all'URL Ufficiale"));
    CmAnteprima = NamedButton(row, QStringLiteral("CmAnteprima"), QStringLiteral("Anteprima "));
    CmPDF = NamedButton(row, QStringLiteral("CmPDF"), QStringLiteral("Stampa PDF"));
    CmPDF->setDefault(true);
    Command3 = NamedButton(row, QStringLiteral("Command3"), QStringLiteral("Torna all'Esito "));
    connect(CmdUe, &QPushButton::clicked, this, [this] { OpenOfficialPage(); });
    connect(CmAnteprima, &QPushButton::clicked, this, [this] { PrintDetail(QStringLiteral("A")); });
    connect(CmPDF, &QPushButton::clicked, this, [this] { PrintDetail(QStringLiteral("P")); });
    connect(Command3, &QPushButton::clicked, this, [this] { backToOutcome(); });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CmdUe);
    layout->addStretch(1);
    for (QPushButton* button : {CmAnteprima, CmPDF, Command3})
        layout->addWidget(button);
    return row;
}

void FDett::Load() {
    Lista();
    colourHeadingLines();
    d1->setText(ctx_.search.SelectedName);
    d2->setText(ListFullName(ctx_.search.SelectedList));
    d3->setText(ctx_.search.SelectedId);
    CmdUe->setVisible(ctx_.search.SelectedList == QLatin1String("UE"));
}

void FDett::Lista() {
    ctx_.grid.CurrentSql = QStringLiteral("SELECT tr AS [TR], testo AS [Riga di dettaglio] FROM DETTAGLIO WHERE IDRIC= ") +
                           SqlQuote(ctx_.search.RunId) + QStringLiteral(" ORDER BY IDRICP");
    ctx_.grid.ReadColumns = QStringList{QString()};
    FillGrid(ctx_, LVDett);
}

void FDett::colourHeadingLines() {
    const int type = ColumnCaptioned(LVDett, QStringLiteral("TR"));
    const int text = ColumnCaptioned(LVDett, QStringLiteral("Riga di dettaglio"));
    if (type < 0 || text < 0)
        return;
    for (int row = 0; row < LVDett->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = LVDett->topLevelItem(row);
        if (item->text(type) == QLatin1String("H"))
            item->setForeground(text, kHeadingColour);
    }
}

void FDett::PrintDetail(const QString& mode) {
    // Any failure, a cancelled dialog or an unwritable file included, ends the print without a word.
    try {
        QString file = QStringLiteral("KIVO_SCHEDA_") + d1->text() + QStringLiteral(".pdf");
        const bool toFile = mode == QLatin1String("P");
        if (toFile && !ctx_.app.BatchMode) {
            file = ctx_.dialogs->saveFileName({QStringLiteral("Indica dove salvare la sche PDF della ricerca"), file,
                                               QStringLiteral("PDF Files (*.PDF)"), QStringLiteral("pdf")});
            if (file.isEmpty())
                return;
        }
        // Without an outcome report made before, the operator is looked up as that report does.
        if (ctx_.app.ReportOperatorVat.isEmpty() && ctx_.app.ReportOperatorLabel.isEmpty() &&
            !LoadReportOperator(ctx_, QStringLiteral("Stampa Dettaglio")))
            return;
        SetUpDetailReport(RM, ctx_, {d1->text(), d2->text(), d3->text()});
        SaveOrPreview(RM, toFile, file, this);
    } catch (const std::exception&) {
    }
}

void FDett::OpenOfficialPage() {
    const MessageAnswer answer = ctx_.dialogs->message(
        {QStringLiteral("Attenzione: la visualizzazione della pagina del sito ufficiale Unione Europea potrebbe "
                        "richiedere\n  \nalcuni minuti di attesa. Premere OK per continuare o ANNULLA per annullare "
                        "la richiesta"),
         QStringLiteral("URL Ufficiale UE"), MessageIcon::Information, MessageButtons::OkCancel, MessageAnswer::Ok});
    if (answer == MessageAnswer::Ok)
        DesktopOpen(ctx_.sites.paginaUE + ctx_.search.SelectedId);
}

void FDett::backToOutcome() {
    close();
    BringBackWindow(QStringLiteral("FEsito"));
}

void ShowDetailWindow(AppContext& ctx, const QString& operatorText) {
    FDett* window = openDetailWindow;
    if (!window || !window->isVisible() || &window->context() != &ctx) {
        window = new FDett(ctx);
        openDetailWindow = window;
    }
    window->vRag->setText(operatorText);
    ShowChildWindow(window, kKey);
    window->Load();
}
