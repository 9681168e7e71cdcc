// Settings read from configurazione.ini and the command line split at commas.
#include "platform/KivoError.h"
#include "startup/Startup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

Settings ReadFrom(const QString& ini)
{
    TempProgramDir program(ini, TempProgramDir::Database::Missing);
    ScriptedDialogs dialogs;
    AppContext ctx = program.context(dialogs);
    ReadSettings(ctx);
    return ctx.settings;
}

TEST(Settings, CutAndTrimmedAsConfigured)
{
    const QString longName = QStringLiteral("  ") + QString(48, u'N') + QStringLiteral(" X  tail");
    // Quotes keep the blanks at the ends past the profile reader.
    const Settings s = ReadFrom(QStringLiteral("[opzioni]\nPC=Yes\nPNC=\"") + longName +
                                QStringLiteral("\"\nPDA=\"  /srv/pdf  \"\nPNL= ris.txt\nTipoDb=Si\n"
                                               "Server_Utente=abcdefghijklmnop\nServer_Password=\"  pw  \"\n"));
    EXPECT_EQ(s.PC, QStringLiteral("Y"));  // only the first character counts
    // First 50 characters ("  " + 48 N), then trimmed.
    EXPECT_EQ(s.PNC, QString(48, u'N'));
    EXPECT_EQ(s.PDA, QStringLiteral("/srv/pdf"));
    EXPECT_EQ(s.PNL, QStringLiteral("ris.txt"));
    EXPECT_EQ(s.TipoDb, QStringLiteral("S"));
    EXPECT_EQ(s.Server_Utente, QStringLiteral("abcdefghij"));
    EXPECT_EQ(s.Server_Password, QStringLiteral("  pw  "));  // cut, not trimmed
}

TEST(Settings, LongValuesAreCutToTheirLength)
{
    const Settings s = ReadFrom(QStringLiteral("[opzioni]\nPDA=") + QString(100, u'd') + QStringLiteral("\nPNL=") +
                                QString(60, u'l') + QStringLiteral("\n"));
    EXPECT_EQ(s.PDA, QString(80, u'd'));
    EXPECT_EQ(s.PNL, QString(50, u'l'));
}

TEST(Settings, CaseOfValuesMatters)
{
    const Settings s = ReadFrom(QStringLiteral("[opzioni]\nPC=y\nTipoDb=s\n"));
    EXPECT_EQ(s.PC, QStringLiteral("y"));
    EXPECT_EQ(s.TipoDb, QStringLiteral("s"));
}

TEST(Settings, ServiceAndSitesTakeDefaultsWhenMissing)
{
    TempProgramDir program(QStringLiteral("[servizio]\nHost=10.0.0.5:9000\nTimeoutRisposta=5\n[siti]\nPaginaUE=http://ue/#\n"),
                           TempProgramDir::Database::Missing);
    ScriptedDialogs dialogs;
    AppContext ctx = program.context(dialogs);
    ReadSettings(ctx);
    EXPECT_EQ(ctx.service.host, QStringLiteral("10.0.0.5:9000"));
    EXPECT_EQ(ctx.service.endpointUrl(), QStringLiteral("http://10.0.0.5:9000/ask_kivo.asmx"));
    EXPECT_EQ(ctx.service.ns, ServiceSettings{}.ns);
    EXPECT_EQ(ctx.service.connectTimeoutSeconds, 10);
    EXPECT_EQ(ctx.service.answerTimeoutSeconds, 5);
    EXPECT_EQ(ctx.sites.paginaUE, QStringLiteral("http://ue/#"));
    EXPECT_EQ(ctx.sites.paginaUSA, SiteSettings{}.paginaUSA);
}

TEST(Settings, BadTimeoutsAreReportedByName)
{
    for (const char* value : {"abc", "0", "-3", "99999"}) {
        TempProgramDir program(QStringLiteral("[servizio]\nTimeoutConnessione=") + QLatin1String(value),
                               TempProgramDir::Database::Missing);
        ScriptedDialogs dialogs;
        AppContext ctx = program.context(dialogs);
        try {
            ReadSettings(ctx);
            ADD_FAILURE() << value << " accepted";
        } catch (const KivoError& error) {
            EXPECT_TRUE(error.description.contains(QStringLiteral("TimeoutConnessione=") + QLatin1String(value)))
                << error.description.toStdString();
        }
    }
}

struct SplitCase {
    const char* commandLine;
    QStringList arguments;
};

void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << '"' << c.commandLine << '"';
}

class CommandLineTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineTable, SplitAtEveryComma)
{
    EXPECT_EQ(SplitCommandLine(QString::fromUtf8(GetParam().commandLine)), GetParam().arguments)
        << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineTable,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"    ", {}},
                                           SplitCase{"ROSSI", {"ROSSI"}},
                                           SplitCase{"A,,B", {"A", "", "B"}},
                                           SplitCase{" A , B ", {" A ", " B "}},
                                           SplitCase{"A,", {"A", ""}},
                                           SplitCase{",", {"", ""}},
                                           SplitCase{"\t", {"\t"}},
                                           SplitCase{"RSSMRA80A01H501U,Studio Rossi - Roma (RM), ROSSI MARIO ",
                                                     {"RSSMRA80A01H501U", "Studio Rossi - Roma (RM)", " ROSSI MARIO "}}));

}  // namespace
