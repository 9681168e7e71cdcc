// The operator register FOPC driven offscreen on a temporary program directory, with the message
// boxes scripted and a fake search service.

#include "data/Database.h"
#include "operators/InputChecks.h"
#include "operators/OperatorRegister.h"
#include "support/FakeSoapServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class OperatorRegister : public ::testing::Test {
protected:
    OperatorRegister() : ctx(dir.context(dialogs))
    {
        ctx.app.Connection = Database::Open(dir.connectionString());
        ctx.service.host = service.hostAndPort();
        service.setDefaultAnswer(PreparedAnswer{200, "application/soap+xml; charset=utf-8",
                                                IndexAnswer(IndexElement("ROSSI MARIO", "UE", "1234"))});
    }

    ~OperatorRegister() override
    {
        // The search hands over to the outcome window, a window of its own in these tests.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("FEsito") || window->objectName() == QLatin1String("FDett"))
                delete window;
        }
    }

    void addOperator(const char* code, const char* name, const char* town)
    {
        ctx.app.Connection.execute(QStringLiteral("INSERT INTO OPE (OCOD, ORAG, OCF, OPIVA, OLOCA, OPR) VALUES ('%1', '%2', "
                                                  "'AAAAAA00A00A000I', '12345678901', '%3', 'PR')")
                                       .arg(QLatin1String(code), QLatin1String(name), QLatin1String(town)));
    }

    FOPC& open()
    {
        register_ = std::make_unique<FOPC>(ctx);
        register_->resize(1000, 700);
        register_->show();
        register_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(register_.get()));
        register_->Lista();
        return *register_;
    }

    QLineEdit* field(const char* name) { return register_->findChild<QLineEdit*>(QLatin1String(name)); }
    QTreeWidget* list() { return register_->findChild<QTreeWidget*>(QStringLiteral("LVOpe")); }

    int operatorCount()
    {
        return ctx.app.Connection.firstRow(QStringLiteral("SELECT COUNT(*) FROM OPE"))->value(0).toInt();
    }

    QString storedName(const char* code)
    {
        const auto row = ctx.app.Connection.firstRow(QStringLiteral("SELECT ORAG FROM OPE WHERE OCOD='%1'").arg(QLatin1String(code)));
        return row ? row->value(0).toString() : QStringLiteral("<none>");
    }

    void fillValidOperator(const QString& code)
    {
        field("tocod")->setText(code);
        field("torag")->setText(QStringLiteral("STUDIO NUOVO"));
        field("tocf")->setText(QStringLiteral("AAAAAA00A00A000I"));
        field("topiva")->setText(QStringLiteral("12345678901"));
        field("toloca")->setText(QStringLiteral("PARMA"));
    }

    TempProgramDir dir;
    ScriptedDialogs dialogs;
    FakeSoapServer service;
    AppContext ctx;
    std::unique_ptr<FOPC> register_;
};

TEST_F(OperatorRegister, EmptyTableLeavesTheFieldsBlank)
{
    FOPC& window = open();
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(ctx.app.CurrentOperator, QString());
    EXPECT_EQ(field("tocod")->text(), QStringLiteral(" "));
    EXPECT_EQ(field("torag")->text(), QStringLiteral(" "));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Elenco Operatori che effettuano la ricerca"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OperatorRegister, ListShowsTheFirstOperatorInNameOrder)
{
    addOperator("B1", "ZETA SRL", "ROMA");
    addOperator("A1", "ALFA SPA", "MILANO");
    open();
    ASSERT_EQ(list()->topLevelItemCount(), 2);
    EXPECT_EQ(list()->headerItem()->text(1), QStringLiteral("Codice"));
    EXPECT_EQ(list()->headerItem()->text(2), QStringLiteral("Ragione Sociale"));
    EXPECT_EQ(list()->topLevelItem(0)->text(2), QStringLiteral("ALFA SPA"));
    EXPECT_EQ(ctx.app.CurrentOperator, QStringLiteral("A1"));
    EXPECT_EQ(ctx.app.CurrentOperatorName, QStringLiteral("ALFA SPA"));
    EXPECT_EQ(field("tocod")->text(), QStringLiteral("A1"));
    EXPECT_EQ(field("toloca")->text(), QStringLiteral("MILANO"));
    EXPECT_EQ(field("tocf")->text(), QStringLiteral("AAAAAA00A00A000I"));
}

TEST_F(OperatorRegister, SavingWithAMissingFieldNamesThatField)
{
    struct Missing {
        const char* field;
        const char* message;
    };
    const Missing cases[] = {
        {"tocod", "Codice Operatore non valido."},
        {"torag", "Ragione Sociale/Nome  Operatore non valido."},
        {"tocf", "Codice Fiscale Operatore non valido."},
        {"topiva", "Partita Iva Operatore non valida."},
        {"toloca", "Indicare la località"},
    };
    FOPC& window = open();
    for (const Missing& c : cases) {
        dialogs.messages.clear();
        fillValidOperator(QStringLiteral("N1"));
        field(c.field)->setText(QStringLiteral("   "));  // blanks only: empty once the leading blanks go
        window.Conferma();
        EXPECT_FALSE(window.isValid()) << c.field;
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.field;
        EXPECT_EQ(dialogs.messages[0].text, CentreErrorMessage(QString::fromUtf8(c.message))) << c.field;
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Errore"));
        EXPECT_TRUE(field(c.field)->hasFocus()) << c.field;
        EXPECT_EQ(operatorCount(), 0) << c.field;
    }
}

TEST_F(OperatorRegister, SavingANewCodeAddsItInUpperCaseAndSelectsIt)
{
    addOperator("A1", "ALFA SPA", "MILANO");
    FOPC& window = open();
    window.Aggiungi();
    EXPECT_EQ(field("tocod")->text(), QString());
    field("tocod")->setText(QStringLiteral("  m7"));
    field("torag")->setText(QStringLiteral("  studio d'angelo  "));
    field("tocf")->setText(QStringLiteral("aaaaaa00a00a000i"));
    field("topiva")->setText(QStringLiteral("12345678901"));
    field("toloca")->setText(QStringLiteral("parma"));
    window.Conferma();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(operatorCount(), 2);
    // Upper case, leading blanks gone, trailing blanks kept; the apostrophe stored as typed.
    EXPECT_EQ(storedName("M7"), QStringLiteral("STUDIO D'ANGELO  "));
    EXPECT_EQ(ctx.app.CurrentOperator, QStringLiteral("M7"));
    EXPECT_EQ(ctx.app.OperatorToSelect, QString());
    ASSERT_EQ(list()->topLevelItemCount(), 2);
    ASSERT_NE(list()->currentItem(), nullptr);
    EXPECT_EQ(list()->currentItem()->text(1), QStringLiteral("M7"));
    EXPECT_EQ(field("tocod")->text(), QStringLiteral("M7"));
}

TEST_F(OperatorRegister, SavingAnExistingCodeChangesThatOperator)
{
    addOperator("A1", "ALFA SPA", "MILANO");
    addOperator("B1", "BETA SRL", "ROMA");
    FOPC& window = open();
    fillValidOperator(QStringLiteral("B1"));
    field("torag")->setText(QStringLiteral("BETA NUOVA SRL"));
    window.Conferma();
    EXPECT_EQ(operatorCount(), 2);
    EXPECT_EQ(storedName("B1"), QStringLiteral("BETA NUOVA SRL"));
    EXPECT_EQ(storedName("A1"), QStringLiteral("ALFA SPA"));
    ASSERT_NE(list()->currentItem(), nullptr);
    EXPECT_EQ(list()->currentItem()->text(1), QStringLiteral("B1"));
    EXPECT_EQ(ctx.app.CurrentOperatorName, QStringLiteral("BETA NUOVA SRL"));
}

TEST_F(OperatorRegister, DeleteAsksAndActsOnlyOnYes)
{
    addOperator("A1", "ALFA SPA", "MILANO");
    addOperator("B1", "BETA SRL", "ROMA");
    addOperator("C1", "GAMMA SAS", "TORINO");
    FOPC& window = open();
    list()->setCurrentItem(list()->topLevelItem(1));
    window.LVOpe_Click();
    ASSERT_EQ(ctx.app.CurrentOperator, QStringLiteral("B1"));

    dialogs.answerNextMessage(MessageAnswer::No);
    window.Elimina();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& question = dialogs.messages[0];
    EXPECT_EQ(question.text, QStringLiteral("Confermi l'Eliminazione di questo OPERATORE?"));
    EXPECT_EQ(question.title, QStringLiteral("Richiesta conferma"));
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MessageAnswer::No);
    EXPECT_EQ(question.icon, MessageIcon::Information);
    EXPECT_EQ(operatorCount(), 3);
    EXPECT_EQ(ctx.app.CurrentOperator, QStringLiteral("B1"));

    dialogs.answerNextMessage(MessageAnswer::Yes);
    window.Elimina();
    EXPECT_EQ(operatorCount(), 2);
    EXPECT_EQ(storedName("B1"), QStringLiteral("<none>"));
    EXPECT_EQ(ctx.app.CurrentOperator, QStringLiteral("A1"));
    EXPECT_EQ(field("tocod")->text(), QStringLiteral("A1"));
}

TEST_F(OperatorRegister, SearchTakesOneElementByPriority)
{
    struct Case {
        const char* name;
        const char* taxCode;
        const char* document;
        const char* kind;
        const char* sent;
        bool taxCodeKept;
        bool documentKept;
    };
    const Case cases[] = {
        {"rossi mario", "RSSMRA85T10A562S", "AB123", "N", "ROSSI MARIO", false, false},
        {"  ", "RSSMRA85T10A562S", "AB123", "C", "RSSMRA85T10A562S", true, false},
        {"", " ", "AB123", "D", "AB123", true, true},  // a document search empties nothing
    };
    addOperator("A1", "ALFA SPA", "MILANO");
    FOPC& window = open();
    size_t requests = 0;
    for (const Case& c : cases) {
        field("NomeRic")->setText(QLatin1String(c.name));
        field("CFRic")->setText(QLatin1String(c.taxCode));
        field("DocRic")->setText(QLatin1String(c.document));
        window.Cerca_Click();
        EXPECT_EQ(ctx.search.SearchKind, QLatin1String(c.kind)) << c.kind;
        EXPECT_EQ(field("CFRic")->text().isEmpty(), !c.taxCodeKept) << c.kind;
        EXPECT_EQ(field("DocRic")->text().isEmpty(), !c.documentKept) << c.kind;
        const auto sent = service.requests();
        ASSERT_EQ(sent.size(), ++requests) << c.kind;
        EXPECT_NE(sent.back().body.find(c.sent), std::string::npos) << c.kind << ": " << sent.back().body;
        EXPECT_TRUE(ctx.search.RunId.contains(QStringLiteral(" - "))) << c.kind;
        // Runs started within the same second share their identifier: count every stored hit.
        const auto stored = ctx.app.Connection.firstRow(QStringLiteral("SELECT COUNT(*) FROM INDICE"));
        EXPECT_EQ(stored->value(0).toInt(), static_cast<int>(requests)) << c.kind;
    }
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(OperatorRegister, EnterInAnyFieldStartsTheSearch)
{
    FOPC& window = open();
    field("DocRic")->setText(QStringLiteral("YA1234567"));
    QTest::keyClick(field("torag"), Qt::Key_Return);
    ASSERT_EQ(service.requests().size(), 1u);
    EXPECT_EQ(ctx.search.SearchKind, QStringLiteral("D"));
    QTest::keyClick(field("DocRic"), Qt::Key_Enter);
    EXPECT_EQ(service.requests().size(), 2u);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Elenco Operatori che effettuano la ricerca"));
}

TEST_F(OperatorRegister, SearchWithoutAnElementSaysSoAndSendsNothing)
{
    FOPC& window = open();
    field("NomeRic")->setText(QStringLiteral("   "));
    field("CFRic")->setText(QStringLiteral(" "));
    field("DocRic")->setText(QString());
    window.Cerca_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Indicare un elemento per la ricerca tra Nome, Codice Fiscale o Documento"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Cerca Nominativo"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(service.requests().empty());
}

TEST_F(OperatorRegister, AnUnreachableServiceIsReportedNotFatal)
{
    ctx.service.host = QStringLiteral("127.0.0.1:%1").arg(UnusedLocalPort());
    FOPC& window = open();
    field("NomeRic")->setText(QStringLiteral("ROSSI"));
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Cerca")), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Cerca Nominativo"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
}

TEST_F(OperatorRegister, FieldsTakeTheFocusColourAndLoseIt)
{
    addOperator("A1", "ALFA SPA", "MILANO");
    open();
    for (const char* name : {"tocod", "torag", "toindi", "toloca", "tocap", "topr", "NomeRic", "CFRic", "DocRic"}) {
        QFocusEvent gain(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(field(name), &gain);
        EXPECT_EQ(field(name)->palette().color(QPalette::Base), ctx.app.FocusColour) << name;
        QFocusEvent loss(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field(name), &loss);
        EXPECT_EQ(field(name)->palette().color(QPalette::Base), ctx.app.FieldColour) << name;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OperatorRegister, LeavingTheTaxCodeAndVatFieldsChecksThem)
{
    addOperator("A1", "ALFA SPA", "MILANO");
    open();
    field("tocap")->setText(QStringLiteral("  43100 "));
    QFocusEvent gain(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(field("tocap"), &gain);
    EXPECT_EQ(field("tocap")->text(), QStringLiteral("43100"));

    field("tocf")->setText(QStringLiteral("AAAAAA00A00A000X"));
    QFocusEvent loss(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field("tocf"), &loss);
    field("topiva")->setText(QStringLiteral("123"));
    QApplication::sendEvent(field("topiva"), &loss);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text.trimmed(), QStringLiteral("Codice Fiscale errato"));
    EXPECT_EQ(dialogs.messages[1].text.trimmed(), QStringLiteral("Partita Iva errata"));

    // Losing the focus to a message box is no leaving of the field.
    QFocusEvent toMessageBox(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(field("tocf"), &toMessageBox);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(OperatorRegister, ArrowKeysOnTheListShowTheNextOperator)
{
    addOperator("A1", "ALFA SPA", "MILANO");
    addOperator("B1", "BETA SRL", "ROMA");
    open();
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down);
    ASSERT_NE(list()->currentItem(), nullptr);
    EXPECT_EQ(list()->currentItem()->text(1), QStringLiteral("B1"));
    EXPECT_EQ(ctx.app.CurrentOperator, QStringLiteral("B1"));
    EXPECT_EQ(field("torag")->text(), QStringLiteral("BETA SRL"));
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(field("torag")->text(), QStringLiteral("ALFA SPA"));
    // Page Down moves the selection but leaves the detail alone.
    QTest::keyClick(list(), Qt::Key_PageDown);
    EXPECT_EQ(list()->currentItem()->text(1), QStringLiteral("B1"));
    EXPECT_EQ(field("torag")->text(), QStringLiteral("ALFA SPA"));
}

}  // namespace
