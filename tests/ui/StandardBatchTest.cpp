// The standard batch opens its outcome window inside the main window, with the welcome window behind
// it, and "Altra Ricerca" leads on to the operator register.

#include "data/Database.h"
#include "reports/BatchMode.h"
#include "support/FakeSoapServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"
#include "ui/MainWindowFA.h"
#include "ui/WelcomeWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString FrontChildName(FA& window)
{
    QMdiSubWindow* active = window.mdiArea()->activeSubWindow();
    return active ? active->widget()->objectName() : QString();
}

TEST(StandardBatch, OutcomeOpensInsideTheMainWindowAndLeadsOnToTheRegister)
{
    TempProgramDir dir;
    ScriptedDialogs dialogs;
    AppContext ctx = dir.context(dialogs);
    ctx.app.Connection = Database::Open(dir.connectionString());
    FakeSoapServer service;
    service.setDefaultAnswer(PreparedAnswer{200, "application/soap+xml; charset=utf-8",
                                            IndexAnswer(IndexElement("ROSSI MARIO", "UE", "EU.1234"))});
    ctx.service.host = service.hostAndPort();
    std::vector<int> endCodes;
    ctx.endProgram = [&endCodes](int code) { endCodes.push_back(code); };
    std::unique_ptr<FA> frame;
    ctx.showMainWindow = [&frame](AppContext& c) {
        frame = std::make_unique<FA>(c);
        frame->show();
        frame->load();
    };
    ctx.app.Arguments = {QStringLiteral("OP1"), QStringLiteral("ROSSI MARIO"), dir.filePath(QStringLiteral("esito.pdf"))};

    RunBatch(ctx);

    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(FrontChildName(*frame), QStringLiteral("FEsito"));
    EXPECT_NE(frame->findChild<FINI*>(), nullptr);  // the welcome window stays behind

    auto* otherSearch = frame->findChild<QPushButton*>(QStringLiteral("CmAltraRic"));
    ASSERT_NE(otherSearch, nullptr);
    otherSearch->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FrontChildName(*frame), QStringLiteral("FOPC"));
    EXPECT_TRUE(endCodes.empty());
}

}  // namespace
