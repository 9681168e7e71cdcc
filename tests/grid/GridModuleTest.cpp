// The list-grid module on real SQLite statements (and on typed rows for the date and number
// fields that SQLite cannot type): columns, formats, widths, sorting, reading and selecting.

#include "data/GridModule.h"
#include "platform/KivoError.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QDate>
#include <QHeaderView>
#include <QLocale>
#include <QSqlField>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class Grid : public ::testing::Test {
protected:
    Grid() : ctx(dir.context(dialogs))
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        ctx.app.Connection = Database::Open(dir.connectionString());
        ctx.app.Connection.execute(QStringLiteral("CREATE TABLE prova (nome TEXT, importo REAL, lista TEXT, prog INTEGER)"));
        grid.setObjectName(QStringLiteral("LVProva"));
        grid.resize(900, 400);
        grid.show();
    }
    ~Grid() override { QLocale::setDefault(QLocale::system()); }

    void addRow(const QString& name, double amount, const QString& list, int prog)
    {
        ctx.app.Connection.execute(QStringLiteral("INSERT INTO prova VALUES ('%1', %2, '%3', %4)").arg(name).arg(amount, 0, 'f', 3).arg(list).arg(prog));
    }

    void fill(const QString& sql)
    {
        ctx.grid.CurrentSql = sql;
        ctx.grid.ReadColumns = QStringList{QString()};
        FillGrid(ctx, &grid);
    }

    QStringList captions() const
    {
        QStringList result;
        for (int c = 0; c < grid.columnCount(); ++c)
            result << grid.headerItem()->text(c);
        return result;
    }

    QStringList column(int c) const
    {
        QStringList result;
        for (int row = 0; row < grid.topLevelItemCount(); ++row)
            result << grid.topLevelItem(row)->text(c);
        return result;
    }

    int widthOf(int twips) const { return TwipsToPixels(&grid, twips); }

    TempProgramDir dir;
    ScriptedDialogs dialogs;
    AppContext ctx;
    QTreeWidget grid;
};

const char* const kProvaSql = "SELECT nome AS Nome, importo AS Importo, lista AS [DataBase] FROM prova ORDER BY nome";

// Fields of a typed statement, as a server with real date types returns them.
GridRows TypedRows(const std::vector<std::tuple<QString, QVariant>>& rows)
{
    GridRows data;
    data.fields.append(QSqlField(QStringLiteral("Nome"), QMetaType(QMetaType::QString)));
    data.fields.append(QSqlField(QStringLiteral("DataNascita"), QMetaType(QMetaType::QDate)));
    for (const auto& [name, date] : rows) {
        QSqlRecord record = data.fields;
        record.setValue(0, name);
        record.setValue(1, date);
        data.rows.push_back(record);
    }
    return data;
}

TEST_F(Grid, AnEmptyStatementGivesVisibleLeftAlignedColumnsAndNoRows)
{
    fill(QString::fromLatin1(kProvaSql));
    EXPECT_EQ(captions(), (QStringList{QStringLiteral(" "), QStringLiteral("Nome"), QStringLiteral("Importo"),
                                       QStringLiteral("DataBase"), QStringLiteral("XXDataBase")}));
    EXPECT_EQ(grid.topLevelItemCount(), 0);
    EXPECT_FALSE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(0), widthOf(300));
    for (int c = 1; c <= 3; ++c) {
        EXPECT_FALSE(grid.isColumnHidden(c)) << c;
        EXPECT_EQ(grid.columnWidth(c), widthOf(1000)) << c;
        EXPECT_EQ(grid.headerItem()->textAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignLeft) << c;
    }
    EXPECT_TRUE(grid.isColumnHidden(4));
    EXPECT_TRUE(grid.isVisible());
    EXPECT_TRUE(grid.updatesEnabled());
    EXPECT_EQ(ctx.grid.ReadValues, QStringList{QString()});
    EXPECT_EQ(DateSortColumn(ctx, QStringLiteral("DataBase")), 4);
}

TEST_F(Grid, AFullStatementFormatsCellsAndBoldsTheFirstRow)
{
    addRow(QStringLiteral("ROSSI"), 1234567.891, QStringLiteral("UE"), 1);
    addRow(QStringLiteral("BIANCHI"), -0.5, QStringLiteral("USA"), 2);
    fill(QString::fromLatin1(kProvaSql));
    ASSERT_EQ(grid.topLevelItemCount(), 2);
    EXPECT_TRUE(grid.isColumnHidden(0));  // only LVOL shows the row's own column
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("BIANCHI"), QStringLiteral("ROSSI")}));
    EXPECT_EQ(column(2), (QStringList{QStringLiteral("-0,50"), QStringLiteral("1.234.567,89")}));
    EXPECT_EQ(grid.topLevelItem(0)->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(grid.topLevelItem(0)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // A text field whose name begins with "Data" still gets its hidden sort column, same text.
    EXPECT_EQ(column(4), column(3));
    EXPECT_TRUE(grid.isColumnHidden(4));
    EXPECT_TRUE(grid.topLevelItem(0)->font(1).bold());
    EXPECT_FALSE(grid.topLevelItem(1)->font(1).bold());
    EXPECT_EQ(grid.currentItem(), grid.topLevelItem(0));
    EXPECT_TRUE(grid.topLevelItem(0)->isSelected());
}

TEST_F(Grid, TheSiblingGridRunsOnTheSiblingConnectionWithAWideFirstColumn)
{
    TempProgramDir sibling;
    ctx.sibling.connection = Database::Open(sibling.connectionString());
    ctx.sibling.connection.execute(QStringLiteral("CREATE TABLE clienti (ragsoc TEXT)"));
    ctx.sibling.connection.execute(QStringLiteral("INSERT INTO clienti VALUES ('CLIENTE UNO')"));
    grid.setObjectName(QStringLiteral("LVOL"));
    fill(QStringLiteral("SELECT ragsoc AS Cliente FROM clienti"));
    EXPECT_EQ(column(1), QStringList{QStringLiteral("CLIENTE UNO")});
    EXPECT_TRUE(ctx.grid.wideFirstColumn);
    EXPECT_FALSE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(0), widthOf(300));
}

TEST_F(Grid, AFailingStatementRisesAndLeavesTheGridCleared)
{
    addRow(QStringLiteral("ROSSI"), 1, QStringLiteral("UE"), 1);
    fill(QString::fromLatin1(kProvaSql));
    ctx.grid.CurrentSql = QStringLiteral("SELECT nothing FROM nowhere");
    EXPECT_THROW(FillGrid(ctx, &grid), KivoError);
    EXPECT_EQ(grid.topLevelItemCount(), 0);
}

TEST_F(Grid, DateFieldsShowCentredAndSortChronologically)
{
    FillGridFromRows(ctx, &grid, TypedRows({{QStringLiteral("A"), QDate(2012, 1, 5)},
                                            {QStringLiteral("B"), QDate(2011, 12, 20)},
                                            {QStringLiteral("C"), QDate(2012, 3, 10)},
                                            {QStringLiteral("D"), QVariant()}}));
    EXPECT_EQ(captions(), (QStringList{QStringLiteral(" "), QStringLiteral("Nome"), QStringLiteral("DataNascita"),
                                       QStringLiteral("XXDataNascita")}));
    EXPECT_EQ(column(2), (QStringList{QStringLiteral("05/01/2012"), QStringLiteral("20/12/2011"), QStringLiteral("10/03/2012"), QString()}));
    EXPECT_EQ(column(3), (QStringList{QStringLiteral("20120105"), QStringLiteral("20111220"), QStringLiteral("20120310"), QString()}));
    EXPECT_EQ(grid.topLevelItem(0)->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(grid.isColumnHidden(3));

    SortGridByColumn(ctx, &grid, 2);  // first click: descending
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}));
    SortGridByColumn(ctx, &grid, 2);  // second click: ascending, by date and not by day number
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}));
}

TEST_F(Grid, HeaderIconsCycleAndMoveToTheClickedColumn)
{
    addRow(QStringLiteral("ROSSI"), 1, QStringLiteral("UE"), 1);
    addRow(QStringLiteral("BIANCHI"), 2, QStringLiteral("USA"), 2);
    addRow(QStringLiteral("VERDI"), 3, QStringLiteral("ONU"), 3);
    fill(QString::fromLatin1(kProvaSql));

    const QString expectedIcons[] = {QStringLiteral("ZA"), QStringLiteral("AZ"), QStringLiteral("ZA")};
    const QStringList expectedOrder[] = {
        {QStringLiteral("VERDI"), QStringLiteral("ROSSI"), QStringLiteral("BIANCHI")},
        {QStringLiteral("BIANCHI"), QStringLiteral("ROSSI"), QStringLiteral("VERDI")},
        {QStringLiteral("VERDI"), QStringLiteral("ROSSI"), QStringLiteral("BIANCHI")},
    };
    for (int click = 0; click < 3; ++click) {
        SortGridByColumn(ctx, &grid, 1);
        EXPECT_EQ(HeaderSortIcon(&grid, 1), expectedIcons[click]) << click;
        EXPECT_FALSE(grid.headerItem()->icon(1).isNull()) << click;
        EXPECT_EQ(column(1), expectedOrder[click]) << click;
        EXPECT_EQ(ctx.grid.LastSortColumn, 2);
    }
    SortGridByColumn(ctx, &grid, 3);
    EXPECT_EQ(HeaderSortIcon(&grid, 1), QString());
    EXPECT_TRUE(grid.headerItem()->icon(1).isNull());
    EXPECT_EQ(HeaderSortIcon(&grid, 3), QStringLiteral("ZA"));
    EXPECT_EQ(column(3), (QStringList{QStringLiteral("USA"), QStringLiteral("UE"), QStringLiteral("ONU")}));

    fill(QString::fromLatin1(kProvaSql));  // a fill forgets the sort column and its icons
    EXPECT_EQ(ctx.grid.LastSortColumn, 0);
    EXPECT_EQ(HeaderSortIcon(&grid, 3), QString());
}

TEST_F(Grid, OnlyTheFirstFiftyRowsSetTheWidths)
{
    const QString longName(80, QLatin1Char('W'));
    for (int row = 0; row < 120; ++row)
        addRow(row == 60 ? longName : QStringLiteral("N%1").arg(row, 3, 10, QLatin1Char('0')), row, QStringLiteral("UE"), row);
    fill(QStringLiteral("SELECT nome AS Nome FROM prova ORDER BY prog"));
    EXPECT_EQ(grid.topLevelItem(60)->text(1), longName);
    const int expected = std::max({MeasuredColumnTwips(&grid, QStringLiteral("Nome")), MeasuredColumnTwips(&grid, QStringLiteral("N000"), true),
                                   MeasuredColumnTwips(&grid, QStringLiteral("N049"))});
    EXPECT_EQ(grid.columnWidth(1), widthOf(expected));

    ctx.app.Connection.execute(QStringLiteral("UPDATE prova SET nome='%1' WHERE prog=49").arg(longName));
    fill(QStringLiteral("SELECT nome AS Nome FROM prova ORDER BY prog"));
    EXPECT_EQ(grid.columnWidth(1), widthOf(MeasuredColumnTwips(&grid, longName)));
}

TEST_F(Grid, TheBoldFirstRowIsNeverCutShort)
{
    const QString longest = QStringLiteral("LA RICERCA NON HA PRODOTTO RISULTATI");
    addRow(longest, 1, QStringLiteral("UE"), 1);
    addRow(QStringLiteral("X"), 2, QStringLiteral("UE"), 2);
    fill(QStringLiteral("SELECT nome AS Nome FROM prova ORDER BY prog"));
    QFont bold = grid.font();
    bold.setBold(true);
    EXPECT_GE(grid.columnWidth(1), QFontMetrics(bold).horizontalAdvance(longest));
}

TEST_F(Grid, SpecialCaptionsGetTheirOwnWidths)
{
    addRow(QStringLiteral("UNA RIGA"), 1, QStringLiteral("UE"), 1);
    fill(QStringLiteral("SELECT prog AS Prog, lista AS TR, nome AS [Riga di dettaglio] FROM prova"));
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_TRUE(grid.isColumnHidden(2));
    EXPECT_EQ(grid.columnWidth(3), widthOf(13700));
}

TEST_F(Grid, ReadSelectedRowReadsByCaption)
{
    addRow(QStringLiteral("ROSSI"), 1, QStringLiteral("UE"), 1);
    addRow(QStringLiteral("VERDI"), 2, QStringLiteral("ONU"), 2);
    fill(QStringLiteral("SELECT nome AS Nome, lista AS Lista, prog AS Lista FROM prova ORDER BY nome"));
    grid.setCurrentItem(grid.topLevelItem(1));
    ctx.grid.ReadColumns = QStringList{QStringLiteral("Nome"), QStringLiteral("Lista"), QStringLiteral("Nessuna"), QStringLiteral(" ")};
    ReadSelectedRow(ctx, &grid);
    // Two columns captioned "Lista": the last one wins.
    EXPECT_EQ(ctx.grid.ReadValues, (QStringList{QStringLiteral("VERDI"), QStringLiteral("2"), QString(), QString()}));

    fill(QStringLiteral("SELECT nome AS Nome FROM prova WHERE 0"));
    ctx.grid.ReadColumns = QStringList{QStringLiteral("Nome"), QStringLiteral("Lista")};
    ReadSelectedRow(ctx, &grid);
    EXPECT_EQ(ctx.grid.ReadValues, (QStringList{QString(), QString()}));
}

TEST_F(Grid, SelectGridRowSelectsMatchesAndIgnoresMisses)
{
    for (const char* name : {"ROSSI", "VERDI", "BIANCHI"})
        addRow(QLatin1String(name), 1, QStringLiteral("UE"), 1);
    fill(QStringLiteral("SELECT nome AS Codice FROM prova ORDER BY nome"));
    ASSERT_EQ(grid.currentItem(), grid.topLevelItem(0));

    SelectGridRow(&grid, QStringLiteral("VERDI"), QStringLiteral("Nessuna colonna"));
    SelectGridRow(&grid, QStringLiteral("NESSUNO"), QStringLiteral("Codice"));
    SelectGridRow(&grid, QStringLiteral("verdi"), QStringLiteral("Codice"));  // exact comparison
    EXPECT_EQ(grid.currentItem(), grid.topLevelItem(0));
    EXPECT_EQ(grid.selectedItems().size(), 1);

    SelectGridRow(&grid, QStringLiteral("VERDI"), QStringLiteral("Codice"));
    EXPECT_EQ(grid.currentItem(), grid.topLevelItem(2));
    ASSERT_EQ(grid.selectedItems().size(), 1);
    EXPECT_EQ(grid.selectedItems()[0]->text(1), QStringLiteral("VERDI"));

    QTreeWidget empty;
    SelectGridRow(&empty, QStringLiteral("VERDI"), QStringLiteral("Codice"));
    EXPECT_EQ(empty.currentItem(), nullptr);
}

TEST(GridFormats, CellsByFieldType)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QMetaType doubleType(QMetaType::Double);
    const QMetaType dateType(QMetaType::QDate);
    const QMetaType dateTimeType(QMetaType::QDateTime);
    const QMetaType textType(QMetaType::QString);
    EXPECT_EQ(FormatGridCell(QVariant(), doubleType), QString());
    EXPECT_EQ(FormatGridCell(0.0, doubleType), QStringLiteral("0,00"));
    EXPECT_EQ(FormatGridCell(999.999, doubleType), QStringLiteral("1.000,00"));
    EXPECT_EQ(FormatGridCell(-1234.5, doubleType), QStringLiteral("-1.234,50"));
    EXPECT_EQ(FormatGridCell(QDate(2012, 11, 9), dateType), QStringLiteral("09/11/2012"));
    EXPECT_EQ(FormatGridCell(QDateTime(QDate(2012, 11, 9), QTime(15, 30)), dateTimeType), QStringLiteral("09/11/2012"));
    EXPECT_EQ(FormatGridCell(QDateTime(QDate(1899, 12, 30), QTime(15, 30)), dateTimeType), QString());  // a time of day only
    EXPECT_EQ(FormatGridCell(QStringLiteral("testo"), textType), QStringLiteral("testo"));
    EXPECT_EQ(FormatGridCell(42, QMetaType(QMetaType::Int)), QStringLiteral("42"));

    EXPECT_EQ(FormatDisplayDate(QStringLiteral("2012-05-25")), QStringLiteral("25/05/2012"));
    EXPECT_EQ(FormatDisplayDate(QStringLiteral("non una data")), QString());
    EXPECT_EQ(FormatDisplayDate(QString()), QString());
    EXPECT_EQ(FormatSortDate(QStringLiteral("25/05/2012")), QStringLiteral("20120525"));
    EXPECT_EQ(FormatSortDate(QStringLiteral("UE")), QStringLiteral("UE"));
    QLocale::setDefault(QLocale::system());
}

}  // namespace
