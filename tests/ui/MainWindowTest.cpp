// The main window FA offscreen: the toolbar state table, the welcome window leading to the operator
// register, "Annulla", the exit question, the menus and the help.

#include "data/Database.h"
#include "operators/OperatorRegister.h"
#include "support/FakeSoapServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"
#include "ui/Icons.h"
#include "ui/MainWindowFA.h"
#include "ui/WelcomeWindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : ctx(dir.context(dialogs))
    {
        ctx.app.Connection = Database::Open(dir.connectionString());
        ctx.app.VersionText = QStringLiteral("Versione 1.0 - Monoutente");
        ctx.app.ReleaseText = QStringLiteral("Release 1.2.7 - 9 Novembre 2012");
        ctx.endProgram = [this](int code) { endCodes.push_back(code); };
        window = std::make_unique<FA>(ctx);
        window->show();
        window->load();
    }

    // Enabled state of the five toolbar buttons, in the order ADD, ELI, HEL, ANN, ESC.
    std::vector<bool> toolbarState() const
    {
        std::vector<bool> state;
        for (const char* key : {"ADD", "ELI", "HEL", "ANN", "ESC"})
            state.push_back(window->toolbarButton(QLatin1String(key))->isEnabled());
        return state;
    }

    QWidget* frontChild() const
    {
        QMdiSubWindow* active = window->mdiArea()->activeSubWindow();
        return active ? active->widget() : nullptr;
    }

    void enter()
    {
        auto* welcome = window->findChild<FINI*>();
        ASSERT_NE(welcome, nullptr);
        welcome->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A stand-in child window as the outcome and detail windows show themselves.
    QWidget* showStandIn(const QString& objectName, const QString& key)
    {
        auto* child = new QWidget;
        child->setObjectName(objectName);
        window->showChild(child);
        window->setCurrentWindow(key);
        window->ImpostaTB2(key);
        return child;
    }

    TempProgramDir dir;
    ScriptedDialogs dialogs;
    AppContext ctx;
    std::vector<int> endCodes;
    std::unique_ptr<FA> window;
};

using State = std::vector<bool>;
const State kAllDisabled{false, false, false, false, false};
const State kAllEnabled{true, true, true, true, true};
const State kNoEditing{false, false, true, true, true};

TEST_F(MainWindow, ToolbarFollowsTheWindowInFront)
{
    // A maximised child adds its caption in brackets, as multiple-document frames do.
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KIVO V1.0 - Ricerca in Black List Ue/Usa - [Benvenuto]"));
    ASSERT_NE(qobject_cast<FINI*>(frontChild()), nullptr);
    EXPECT_EQ(toolbarState(), kAllDisabled);
    EXPECT_TRUE(window->menuItem(QStringLiteral("VERSIONE"))->isEnabled());

    enter();
    EXPECT_EQ(toolbarState(), kAllEnabled);

    const std::pair<const char*, State> table[] = {
        {"FESITO", kNoEditing}, {"FOPC", kAllEnabled}, {"FDETT", kNoEditing}, {"FOPC", kAllEnabled}};
    for (const auto& [key, expected] : table) {
        window->ImpostaTB2(QLatin1String(key));
        EXPECT_EQ(toolbarState(), expected) << key;
    }
}

TEST_F(MainWindow, ToolbarButtonsHaveTheirCaptionsAndTooltips)
{
    const std::tuple<const char*, const char*, const char*> buttons[] = {
        {"ADD", "  Aggiungi      ", "Aggiungi all'archivio "},
        {"ELI", "Elimina", ""},
        {"HEL", "Help", "Documentazione Programma e Normativa"},
        {"ANN", "Annulla", "Annulla l'ultima oeprazione"},
        {"ESC", "Esci", ""},
    };
    for (const auto& [key, caption, tooltip] : buttons) {
        QAction* button = window->toolbarButton(QLatin1String(key));
        ASSERT_NE(button, nullptr) << key;
        EXPECT_EQ(button->text(), QLatin1String(caption)) << key;
        EXPECT_FALSE(button->icon().isNull()) << key;
        if (*tooltip) {
            EXPECT_EQ(button->toolTip(), QLatin1String(tooltip)) << key;
        }
    }
}

TEST_F(MainWindow, EntraOpensTheOperatorRegister)
{
    auto* welcome = window->findChild<FINI*>();
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->windowTitle(), QStringLiteral("Benvenuto"));
    EXPECT_EQ(welcome->findChild<QLabel*>(QStringLiteral("LVersionePgm"))->text(), ctx.app.VersionText);
    EXPECT_EQ(welcome->findChild<QLabel*>(QStringLiteral("Nrel"))->text(), ctx.app.ReleaseText);
    enter();
    EXPECT_EQ(window->findChild<FINI*>(), nullptr);
    ASSERT_NE(window->operatorRegister(), nullptr);
    EXPECT_EQ(frontChild(), window->operatorRegister());
    EXPECT_EQ(window->currentWindow(), QStringLiteral("FOPC"));
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(window->mdiArea()->activeSubWindow()->isMaximized());
}

TEST_F(MainWindow, AddAndDeleteActOnTheOperatorRegister)
{
    ctx.app.Connection.execute(QStringLiteral("INSERT INTO OPE (OCOD, ORAG, OLOCA) VALUES ('A1', 'ALFA SPA', 'MILANO')"));
    enter();
    auto* code = window->operatorRegister()->findChild<QLineEdit*>(QStringLiteral("tocod"));
    EXPECT_EQ(code->text(), QStringLiteral("A1"));
    window->toolbarButton(QStringLiteral("ADD"))->trigger();
    EXPECT_EQ(code->text(), QString());

    dialogs.answerNextMessage(MessageAnswer::Yes);
    window->toolbarButton(QStringLiteral("ELI"))->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Richiesta conferma"));
    EXPECT_FALSE(ctx.app.Connection.firstRow(QStringLiteral("SELECT * FROM OPE")).has_value());
}

TEST_F(MainWindow, AnnullaClosesTheWindowNamedByCurrentWindow)
{
    enter();
    QPointer<QWidget> outcome = showStandIn(QStringLiteral("FEsito"), QStringLiteral("FESITO"));
    QPointer<QWidget> detail = showStandIn(QStringLiteral("FDett"), QStringLiteral("FDETT"));
    window->toolbarButton(QStringLiteral("ANN"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(detail.isNull());
    EXPECT_FALSE(outcome.isNull());

    window->setCurrentWindow(QStringLiteral("FOPC"));
    window->toolbarButton(QStringLiteral("ANN"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(outcome.isNull());

    window->setCurrentWindow(QStringLiteral("FESITO"));
    window->toolbarButton(QStringLiteral("ANN"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(outcome.isNull());
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);  // the operator register stays
}

TEST_F(MainWindow, ChildWindowsClosingThemselvesLeaveNoEmptyFrame)
{
    enter();
    QWidget* outcome = showStandIn(QStringLiteral("FEsito"), QStringLiteral("FESITO"));
    outcome->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
}

TEST_F(MainWindow, EsciAsksFirstAndTheMenuDoesNot)
{
    enter();
    dialogs.answerNextMessage(MessageAnswer::No);
    window->toolbarButton(QStringLiteral("ESC"))->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& question = dialogs.messages[0];
    EXPECT_EQ(question.text, QStringLiteral("           Vuoi uscire dal programma?         "));
    EXPECT_EQ(question.title, QStringLiteral("Termine programma"));
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MessageAnswer::No);
    EXPECT_TRUE(endCodes.empty());

    dialogs.answerNextMessage(MessageAnswer::Yes);
    window->toolbarButton(QStringLiteral("ESC"))->trigger();
    EXPECT_EQ(endCodes, std::vector<int>{0});

    window->menuItem(QStringLiteral("ESCI"))->trigger();
    EXPECT_EQ(endCodes, (std::vector<int>{0, 0}));
    EXPECT_EQ(dialogs.messages.size(), 2u);

    window->operatorRegister()->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    EXPECT_EQ(endCodes, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(MainWindow, MenusCarryTheirCaptionsAndIcons)
{
    const std::tuple<const char*, const char*, bool> items[] = {
        {"Vuoto", "O", false},
        {"OPEZARVA", "Carica Operatori da ZARVA", true},
        {"OPEMOVIK", "Carica Operatori da MOVIK", true},
        {"OPELUTERA", "Carica Operatori da LUTERA", true},
        {"MASSA", "Verifica di MASSA anagrafiche", true},
        {"helpDoc", "Documentazione", true},
        {"CONTATTI", "Contatti", true},
        {"VERSIONE", "Versione", true},
        {"SITIU", "Siti Ufficiali Liste Antiterrorismo", false},
        {"ESCI", "Esci", false},
    };
    for (const auto& [name, caption, hasIcon] : items) {
        QAction* item = window->menuItem(QLatin1String(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->text(), QString::fromUtf8(caption)) << name;
        EXPECT_EQ(!item->icon().isNull(), hasIcon) << name;
    }
    QStringList topLevel;
    for (QAction* action : window->menuBar()->actions())
        topLevel << action->text();
    EXPECT_EQ(topLevel, (QStringList{QStringLiteral("O"), QStringLiteral("Funzioni"), QStringLiteral("Help"),
                                     QStringLiteral("Siti Ufficiali Liste Antiterrorismo"), QStringLiteral("Esci")}));
}

TEST_F(MainWindow, MenuCaptionConvention)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Carica Operatori da ZARVA|#k14", "Carica Operatori da ZARVA", "k14"},
        {"Versione|#k12", "Versione", "k12"},
        {"Esci", "Esci", ""},
        {"Testo|senza immagine", "Testo", ""},
    };
    for (const auto& [caption, text, key] : cases) {
        const MenuCaption parts = SplitMenuCaption(QLatin1String(caption));
        EXPECT_EQ(parts.text, QLatin1String(text)) << caption;
        EXPECT_EQ(parts.iconKey, QLatin1String(key)) << caption;
    }
    for (const char* key : {"k3", "k6", "k12", "k14", "k15", "ADD", "logo", "banner"})
        EXPECT_FALSE(KivoIcon(QLatin1String(key)).pixmap(16, 16).isNull()) << key;
    EXPECT_TRUE(KivoIcon(QStringLiteral("k99")).isNull());
}

TEST_F(MainWindow, LaterFunctionsSayTheyAreNotYetAvailable)
{
    for (const char* name : {"OPEZARVA", "OPEMOVIK", "OPELUTERA", "MASSA"}) {
        dialogs.messages.clear();
        window->menuItem(QLatin1String(name))->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1u) << name;
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Funzione non ancora disponibile")) << name;
    }
}

TEST_F(MainWindow, HelpOpensTheIndexOrSaysItIsMissing)
{
    enter();
    window->toolbarButton(QStringLiteral("HEL"))->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("help/index.html")));

    dir.copyResource(QStringLiteral("help"));
    window->menuItem(QStringLiteral("helpDoc"))->trigger();
    window->toolbarButton(QStringLiteral("HEL"))->trigger();
    const QList<QTextBrowser*> browsers = window->findChildren<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    ASSERT_EQ(browsers.size(), 1);  // one help window, brought to the front again
    EXPECT_TRUE(browsers[0]->toPlainText().contains(QStringLiteral("KIVO")));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(MainWindow, AnOperatorIsRegisteredAndSearchedForThroughTheWindows)
{
    FakeSoapServer service;
    service.setDefaultAnswer(PreparedAnswer{200, "application/soap+xml; charset=utf-8",
                                            IndexAnswer(IndexElement("ROSSI MARIO", "UE", "EU.1234") +
                                                        IndexElement("ROSSI MARIO ALIAS", "USA", "9876"))});
    ctx.service.host = service.hostAndPort();
    enter();
    FOPC* operators = window->operatorRegister();
    const auto type = [operators](const char* name, const char* text) {
        operators->findChild<QLineEdit*>(QLatin1String(name))->setText(QString::fromUtf8(text));
    };
    window->toolbarButton(QStringLiteral("ADD"))->trigger();
    type("tocod", "op1");
    type("torag", "studio bianchi");
    type("tocf", "AAAAAA00A00A000I");
    type("topiva", "12345678901");
    type("toloca", "parma");
    operators->findChild<QPushButton*>(QStringLiteral("Cmd_Conferma"))->click();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(operators->findChild<QTreeWidget*>(QStringLiteral("LVOpe"))->topLevelItemCount(), 1);

    type("NomeRic", "Rossi Mario");
    operators->findChild<QPushButton*>(QStringLiteral("Cerca"))->click();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(service.requests().size(), 1u);
    QWidget* outcome = frontChild();
    ASSERT_NE(outcome, nullptr);
    EXPECT_EQ(outcome->objectName(), QStringLiteral("FEsito"));
    EXPECT_EQ(window->currentWindow(), QStringLiteral("FESITO"));
    EXPECT_EQ(toolbarState(), kNoEditing);
    auto* hits = outcome->findChild<QTreeWidget*>(QStringLiteral("LVEsito"));
    ASSERT_NE(hits, nullptr);
    EXPECT_EQ(hits->topLevelItemCount(), 2);

    window->toolbarButton(QStringLiteral("ANN"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frontChild(), operators);
}

}  // namespace
