// The information windows FSiti and FVer: captions from the settings, pages and mails handed to the
// desktop, and the plain message when nothing can open them.

#include "support/ScriptedDialogs.h"
#include "ui/ExternalLinks.h"
#include "ui/InformationWindows.h"
#include "UrlRecorder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class InformationWindows : public ::testing::Test {
protected:
    InformationWindows()
    {
        ctx.dialogs = &dialogs;
        ctx.app.VersionText = QStringLiteral("Versione 1.0 - Client/Server");
        ctx.app.ReleaseText = QStringLiteral("Release 1.2.7 - 9 Novembre 2012");
        ctx.sites.paginaUE = QStringLiteral("https://ue.example/elenco#en");
        ctx.sites.paginaUSA = QStringLiteral("https://usa.example/sdn");
        ctx.sites.paginaONU = QStringLiteral("https://onu.example/1267");
    }

    ScriptedDialogs dialogs;
    AppContext ctx;
    UrlRecorder desktop;
};

TEST_F(InformationWindows, SitesWindowOpensEachPageFromButtonAndPicture)
{
    FSiti window(ctx);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Siti ufficiali liste Antiterrorismo"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
              QStringLiteral("Security Council Committee  1267 (Talebani e Al Qaida)"));
    const std::tuple<const char*, const char*, const char*> sites[] = {
        {"Command1", "Picture2", "https://ue.example/elenco"},
        {"Command2", "Picture1", "https://usa.example/sdn"},
        {"Command3", "Picture3", "https://onu.example/1267"},
    };
    for (const auto& [button, picture, address] : sites) {
        desktop.opened.clear();
        auto* command = window.findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(command, nullptr) << button;
        EXPECT_EQ(command->text(), QLatin1String(address));
        command->click();
        window.findChild<QToolButton*>(QLatin1String(picture))->click();
        EXPECT_EQ(desktop.opened, (QStringList{QLatin1String(address), QLatin1String(address)})) << button;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(InformationWindows, APageThatCannotBeOpenedIsReported)
{
    ctx.sites.paginaUSA.clear();
    FSiti window(ctx);
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("nessun browser")));
}

TEST_F(InformationWindows, VersionWindowShowsTheEditionAndStartsMails)
{
    MakerContacts contacts;
    contacts.salesAddress = QStringLiteral("vendite@kivo.example");
    contacts.supportAddressShown = QStringLiteral("assistenza@kivo.example");
    contacts.supportRecipient = QStringLiteral("tecnici@kivo.example");
    FVer window(ctx, contacts);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("KIVO - Versione"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Versione"))->text(), ctx.app.VersionText);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Nrel"))->text(), ctx.app.ReleaseText);
    auto* sales = window.findChild<QLabel*>(QStringLiteral("Label11"));
    auto* support = window.findChild<QLabel*>(QStringLiteral("Label14"));
    EXPECT_EQ(support->text(), QStringLiteral("assistenza@kivo.example"));
    QTest::mouseClick(sales, Qt::LeftButton);
    QTest::mouseClick(support, Qt::LeftButton);
    // The support mail goes to the technical address, not to the one shown.
    EXPECT_EQ(desktop.opened, (QStringList{MailAddress(QStringLiteral("vendite@kivo.example")),
                                           MailAddress(QStringLiteral("tecnici@kivo.example"))}));
    EXPECT_EQ(MailAddress(QStringLiteral("a@b.it")), QStringLiteral("mailto:a@b.it?subject=Utente%20KIVO:"));

    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(InformationWindows, AMailThatCannotStartIsReported)
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    StartMail(ctx, QString());  // no address: nothing can take it
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("programma di posta")));
}

}  // namespace
