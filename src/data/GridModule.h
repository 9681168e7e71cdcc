#pragma once
// The list-grid module: every list of the program is a QTreeWidget filled from one SELECT.
// The statement's column aliases are the captions; column 0 is the row's own (empty) text, the
// fields follow from column 1, and each field whose name begins with "Data" gets a hidden sort
// column "XX<name>" holding the value as yyyymmdd after the fields. State lives in ctx.grid.

#include "startup/AppContext.h"

#include <QIcon>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <vector>

class QTreeWidget;

// A result set read into memory: the fields (names and types) and the rows.
struct GridRows {
    QSqlRecord fields;
    std::vector<QSqlRecord> rows;
};

// Runs ctx.grid.CurrentSql (on the sibling connection for the grid named "LVOL", else on the
// program's connection) and rebuilds the grid. Database errors rise as KivoError; the grid has then
// been cleared.
void FillGrid(AppContext& ctx, QTreeWidget* grid);
// The rebuilding part of FillGrid, on rows already read.
void FillGridFromRows(AppContext& ctx, QTreeWidget* grid, const GridRows& data);

// The header click: sorts by the clicked column (a date column by its hidden yyyymmdd column),
// descending first, and moves the "ZA"/"AZ" icon. column is the 0-based index of the header.
void SortGridByColumn(AppContext& ctx, QTreeWidget* grid, int column);

// Fills ctx.grid.ReadValues with the selected row's cells of the captions in ctx.grid.ReadColumns.
void ReadSelectedRow(AppContext& ctx, QTreeWidget* grid);

// Selects the rows whose cell under the caption equals the key, and scrolls them into view.
void SelectGridRow(QTreeWidget* grid, const QString& key, const QString& caption);

// Sizes the visible columns to their caption and the first 50 rows, with the special widths.
void AutoSizeColumns(AppContext& ctx, QTreeWidget* grid);

// The cell text of a value: doubles as ###,###,##0.00 in the regional format, dates dd/MM/yyyy.
QString FormatGridCell(const QVariant& value, QMetaType type);
// dd/MM/yyyy, or empty text for an empty value, one that is no date or a time of day only.
QString FormatDisplayDate(const QVariant& value);
// The value as yyyymmdd for the hidden sort column; text that is no date stays as it is.
QString FormatSortDate(const QVariant& value);

// Position of the hidden sort column of a date field of the grid filled last, or 0.
int DateSortColumn(const AppContext& ctx, const QString& name);

// Which sort icon a header shows: "AZ", "ZA" or empty.
QString HeaderSortIcon(QTreeWidget* grid, int column);

// Widths in the twips of the window layout, converted with the grid's resolution.
int TwipsToPixels(const QWidget* widget, int twips);
// The column width in twips that AutoSizeColumns gives a text: its width in the grid's font (bold
// for the first row, which is shown in bold) + 300.
int MeasuredColumnTwips(const QTreeWidget* grid, const QString& text, bool bold = false);
