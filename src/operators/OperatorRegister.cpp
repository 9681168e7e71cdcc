#include "operators/OperatorRegister.h"

#include "data/GridModule.h"
#include "data/SqlText.h"
#include "operators/FieldFocus.h"
#include "operators/InputChecks.h"
#include "platform/KivoError.h"
#include "search/NameSearch.h"

#if KIVO_HAVE_OUTCOME_WINDOW
#include "reports/OutcomeWindow.h"
#else
#include "operators/InterimOutcome.h"
#endif

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

const char* const kOperatorListSql =
    "SELECT OPE.OCOD AS Codice,  OPE.ORAG as [Ragione Sociale], OPE.OCF as [Codice Fiscale], "
    "OPE.OLOCA as Localita  FROM OPE order bY OPE.ORAG";

namespace {

QString WithoutLeadingBlanks(const QString& text)
{
    int start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QLabel* FieldLabel(const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

FOPC::FOPC(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FOPC"));
    setWindowTitle(QStringLiteral("Elenco Operatori che effettuano la ricerca"));
    focus_ = new FieldFocus(ctx_, this);

    LVOpe = new QTreeWidget;
    LVOpe->setObjectName(QStringLiteral("LVOpe"));
    LVOpe->setRootIsDecorated(false);
    LVOpe->setUniformRowHeights(true);
    LVOpe->setAlternatingRowColors(true);
    LVOpe->setSelectionMode(QAbstractItemView::SingleSelection);
    LVOpe->header()->setSectionsClickable(true);
    LVOpe->installEventFilter(this);
    connect(LVOpe, &QTreeWidget::itemClicked, this, [this] { guarded(QStringLiteral("Operatori"), [this] { LVOpe_Click(); }); });
    connect(LVOpe->header(), &QHeaderView::sectionClicked, this, [this](int column) { SortGridByColumn(ctx_, LVOpe, column); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(LVOpe, 1);
    layout->addWidget(buildDetailFrame());
    layout->addWidget(buildSearchFrame());
    watchFields();
}

QLineEdit* FOPC::addField(const QString& name, int maxLength, Qt::Alignment alignment)
{
    auto* field = new QLineEdit(QStringLiteral(" "));
    field->setObjectName(name);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    field->setAlignment(alignment | Qt::AlignVCenter);
    // Enter in any field presses "Cerca Nominativo", the window's default button.
    connect(field, &QLineEdit::returnPressed, this, [this] { Cerca->click(); });
    return field;
}

QWidget* FOPC::buildDetailFrame()
{
    auto* frame = new QGroupBox(QStringLiteral(" Dettaglio Operatore"));
    frame->setObjectName(QStringLiteral("FrameDettaglio"));
    tocod = addField(QStringLiteral("tocod"), 11);
    torag = addField(QStringLiteral("torag"), 50);
    tocf = addField(QStringLiteral("tocf"), 16);
    topiva = addField(QStringLiteral("topiva"), 0);
    toindi = addField(QStringLiteral("toindi"), 50);
    toloca = addField(QStringLiteral("toloca"), 50);
    tocap = addField(QStringLiteral("tocap"), 0, Qt::AlignHCenter);
    topr = addField(QStringLiteral("topr"), 0, Qt::AlignHCenter);
    Cmd_Conferma = new QPushButton(QStringLiteral("Registra Operatore"));
    Cmd_Conferma->setObjectName(QStringLiteral("Cmd_Conferma"));
    Cmd_Conferma->setAutoDefault(false);
    connect(Cmd_Conferma, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("Registra Operatore"), [this] { Conferma(); }); });

    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(10);
    grid->addWidget(FieldLabel(QStringLiteral("Codice "), tocod), 0, 0);
    grid->addWidget(tocod, 0, 1);
    grid->addWidget(FieldLabel(QStringLiteral("Ragione Sociale"), torag), 0, 2);
    grid->addWidget(torag, 0, 3, 1, 3);
    grid->addWidget(FieldLabel(QStringLiteral("Codice Fiscale  "), tocf), 1, 0);
    grid->addWidget(tocf, 1, 1);
    grid->addWidget(FieldLabel(QStringLiteral("Partita IVA"), topiva), 1, 2);
    grid->addWidget(topiva, 1, 3);
    grid->addWidget(FieldLabel(QStringLiteral("Indirizzo"), toindi), 2, 0);
    grid->addWidget(toindi, 2, 1, 1, 3);
    grid->addWidget(FieldLabel(QStringLiteral("Cap"), tocap), 2, 4);
    grid->addWidget(tocap, 2, 5);
    grid->addWidget(FieldLabel(QStringLiteral("Località"), toloca), 3, 0);
    grid->addWidget(toloca, 3, 1, 1, 3);
    grid->addWidget(FieldLabel(QStringLiteral("Prov."), topr), 3, 4);
    grid->addWidget(topr, 3, 5);
    grid->addWidget(Cmd_Conferma, 0, 6, 4, 1, Qt::AlignCenter);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 3);
    grid->setColumnStretch(5, 1);
    Cmd_Conferma->setMinimumHeight(48);
    return frame;
}

QWidget* FOPC::buildSearchFrame()
{
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("FrameRicerca"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* title = new QLabel(QStringLiteral(" Ricerca Nominativo in Black List "));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    title->setFont(titleFont);

    NomeRic = addField(QStringLiteral("NomeRic"), 70);
    CFRic = addField(QStringLiteral("CFRic"), 70);
    DocRic = addField(QStringLiteral("DocRic"), 70);

    auto* notice = new QLabel(QStringLiteral("Indicare SOLO UN ELEMENTO DI RICERCA"));
    notice->setObjectName(QStringLiteral("Avviso"));
    notice->setAlignment(Qt::AlignCenter);
    notice->setAutoFillBackground(true);
    QPalette noticePalette = notice->palette();
    noticePalette.setColor(QPalette::Window, QColor(255, 255, 192));
    noticePalette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    notice->setPalette(noticePalette);
    notice->setMargin(6);
    QFont noticeFont = notice->font();
    noticeFont.setBold(true);
    notice->setFont(noticeFont);

    Cerca = new QPushButton(QStringLiteral("Cerca Nominativo"));
    Cerca->setObjectName(QStringLiteral("Cerca"));
    Cerca->setDefault(true);
    Cerca->setMinimumHeight(40);
    connect(Cerca, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("Cerca Nominativo"), [this] { Cerca_Click(); }); });
    Command3 = new QPushButton(QStringLiteral("Esci dal programma"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setAutoDefault(false);
    connect(Command3, &QPushButton::clicked, this, &FOPC::exitRequested);

    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(12);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(FieldLabel(QStringLiteral("Nome da cercare (in qualsiasi formato)"), NomeRic), 1, 0);
    grid->addWidget(NomeRic, 1, 1);
    grid->addWidget(FieldLabel(QStringLiteral("Codice Fiscale / Partita Iva"), CFRic), 2, 0);
    grid->addWidget(CFRic, 2, 1);
    grid->addWidget(FieldLabel(QStringLiteral("Numero Documento (passaporto, C. Id. etc)"), DocRic), 3, 0);
    grid->addWidget(DocRic, 3, 1);
    grid->addWidget(notice, 1, 2);
    grid->addWidget(Cerca, 2, 2);
    grid->addWidget(Command3, 3, 2);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 1);
    return frame;
}

void FOPC::watchFields()
{
    const auto trimOnGain = [](QLineEdit* field) { field->setText(field->text().trimmed()); };
    for (QLineEdit* field : {tocod, torag, toindi, toloca, NomeRic, CFRic, DocRic})
        focus_->watch(field);
    focus_->watch(tocap, trimOnGain);
    focus_->watch(topr, trimOnGain);
    focus_->watch(tocf, {}, [this](QLineEdit* field) { CheckTaxCodeField(ctx_, field); });
    focus_->watch(topiva, {}, [this](QLineEdit* field) { CheckVatNumber(ctx_, field); });
}

template <typename Step>
void FOPC::guarded(const QString& title, Step step)
{
    try {
        step();
    } catch (const KivoError& error) {
        MessageRequest request;
        request.title = title;
        request.icon = MessageIcon::Critical;
        request.text = QStringLiteral("Errore num. %1 %2").arg(error.number).arg(error.description);
        ctx_.dialogs->message(request);
    }
}

bool FOPC::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LVOpe && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            guarded(QStringLiteral("Operatori"), [this] { LVOpe_Click(); });
    }
    return QWidget::eventFilter(watched, event);
}

void FOPC::Lista()
{
    ctx_.grid.CurrentSql = QString::fromLatin1(kOperatorListSql);
    ctx_.grid.ReadColumns = QStringList{QString()};
    FillGrid(ctx_, LVOpe);
    LVOpe_Click();
}

void FOPC::LVOpe_Click()
{
    ctx_.grid.ReadColumns = QStringList{QStringLiteral("Codice")};
    if (!ctx_.app.OperatorToSelect.isEmpty()) {
        SelectGridRow(LVOpe, ctx_.app.OperatorToSelect, QStringLiteral("Codice"));
        ctx_.app.CurrentOperator = ctx_.app.OperatorToSelect;
        ctx_.app.OperatorToSelect.clear();
    } else {
        ReadSelectedRow(ctx_, LVOpe);
        ctx_.app.CurrentOperator = ctx_.grid.ReadValues.value(0);
        SelectGridRow(LVOpe, ctx_.app.CurrentOperator, QStringLiteral("Codice"));
    }
    showOperator();
}

void FOPC::showOperator()
{
    const auto record = ctx_.app.Connection.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + SqlQuote(ctx_.app.CurrentOperator));
    if (!record)
        return;
    const auto text = [&](const char* column) { return record->value(QLatin1String(column)).toString(); };
    tocod->setText(text("ocod"));
    torag->setText(text("orag"));
    topiva->setText(text("opiva"));
    tocf->setText(text("ocf"));
    toindi->setText(text("oindi"));
    tocap->setText(text("ocap"));
    toloca->setText(text("oloca"));
    topr->setText(text("opr"));
    ctx_.app.CurrentOperator = tocod->text();
    ctx_.app.CurrentOperatorName = torag->text();
}

void FOPC::Aggiungi()
{
    for (QLineEdit* field : {tocod, torag, tocf, topiva, toindi, toloca, tocap, topr})
        field->clear();
    tocod->setEnabled(true);
}

void FOPC::Elimina()
{
    MessageRequest question;
    question.text = QStringLiteral("Confermi l'Eliminazione di questo OPERATORE?");
    question.title = QStringLiteral("Richiesta conferma");
    question.icon = MessageIcon::Information;
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = MessageAnswer::No;
    if (ctx_.dialogs->message(question) != MessageAnswer::Yes)
        return;
    ctx_.app.Connection.execute(QStringLiteral("DELETE From OPE WHERE OCOD=") + SqlQuote(ctx_.app.CurrentOperator));
    ctx_.app.CurrentOperator.clear();
    Lista();
}

bool FOPC::Controlla()
{
    const std::pair<QLineEdit*, const char*> required[] = {
        {tocod, "Codice Operatore non valido."},
        {torag, "Ragione Sociale/Nome  Operatore non valido."},
        {tocf, "Codice Fiscale Operatore non valido."},
        {topiva, "Partita Iva Operatore non valida."},
        {toloca, "Indicare la località"},
    };
    for (const auto& [field, message] : required) {
        if (field->text().isEmpty()) {
            ShowFieldError(ctx_, field, QString::fromUtf8(message));
            valid_ = false;
            return valid_;
        }
    }
    valid_ = true;
    return valid_;
}

void FOPC::Aggiorna()
{
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setText(WithoutLeadingBlanks(field->text().toUpper()));
    if (!Controlla())
        return;
    ctx_.app.CurrentOperator = tocod->text();
    storeOperator(tocod->text());
}

void FOPC::storeOperator(const QString& code)
{
    const Database& db = ctx_.app.Connection;
    const QString key = SqlQuote(code);
    const bool exists = db.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + key).has_value();
    const QString values[] = {SqlQuote(torag->text()), SqlQuote(topiva->text()), SqlQuote(tocf->text()),
                              SqlQuote(toindi->text()), SqlQuote(tocap->text()), SqlQuote(toloca->text()),
                              SqlQuote(topr->text())};
    if (exists) {
        db.execute(QStringLiteral("UPDATE OPE SET ORAG=%1, OPIVA=%2, OCF=%3, OINDI=%4, OCAP=%5, OLOCA=%6, OPR=%7 WHERE OCOD=%8")
                       .arg(values[0], values[1], values[2], values[3], values[4], values[5], values[6], key));
    } else {
        db.execute(QStringLiteral("INSERT INTO OPE (OCOD, ORAG, OPIVA, OCF, OINDI, OCAP, OLOCA, OPR) VALUES (%1, %2, %3, %4, %5, %6, %7, %8)")
                       .arg(key, values[0], values[1], values[2], values[3], values[4], values[5], values[6]));
    }
}

void FOPC::Conferma()
{
    Aggiorna();
    if (!valid_)
        return;
    ctx_.app.OperatorToSelect = ctx_.app.CurrentOperator;
    Lista();
}

void FOPC::Cerca_Click()
{
    QLineEdit* chosen = nullptr;
    if (!NomeRic->text().trimmed().isEmpty()) {
        ctx_.search.SearchKind = QStringLiteral("N");
        chosen = NomeRic;
        CFRic->clear();
        DocRic->clear();
    } else if (!CFRic->text().trimmed().isEmpty()) {
        ctx_.search.SearchKind = QStringLiteral("C");
        chosen = CFRic;
        DocRic->clear();
    } else if (!DocRic->text().trimmed().isEmpty()) {
        ctx_.search.SearchKind = QStringLiteral("D");
        chosen = DocRic;
    }
    if (!chosen) {
        ctx_.dialogs->inform(QStringLiteral("Indicare un elemento per la ricerca tra Nome, Codice Fiscale o Documento"),
                             QStringLiteral("Cerca Nominativo"), MessageIcon::Information);
        return;
    }
    ctx_.search.RunId = NewRunId();
    ctx_.search.OutcomeRunId = ctx_.search.RunId;
    ctx_.search.HitCount = 0;
    NameSearch(ctx_, chosen->text().trimmed());
    handOverToOutcome(chosen->text());
}

void FOPC::handOverToOutcome(const QString& searchedText)
{
#if KIVO_HAVE_OUTCOME_WINDOW
    ShowOutcomeWindow(ctx_, searchedText);
#else
    ShowInterimOutcome(ctx_, searchedText);
#endif
}
