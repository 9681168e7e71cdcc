#include "data/GridModule.h"

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QSqlField>
#include <QTreeWidget>

#include <optional>

namespace {

constexpr int kFirstColumnTwips = 300;
constexpr int kEmptyGridColumnTwips = 1000;
constexpr int kMeasureMargin = 300;
constexpr int kMeasuredRows = 50;
constexpr int kDetailLineTwips = 13700;
constexpr int kSortIconRole = Qt::UserRole + 1;

bool IsDateField(const QString& name) { return name.left(4) == QLatin1String("Data"); }

bool IsDateType(QMetaType type)
{
    return type.id() == QMetaType::QDate || type.id() == QMetaType::QDateTime;
}

Qt::Alignment AlignmentOf(QMetaType type)
{
    if (type.id() == QMetaType::Double)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (IsDateType(type))
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The value as a date, when it is one or its text reads as one.
std::optional<QDateTime> AsDateTime(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().isValid() ? std::optional(value.toDate().startOfDay()) : std::nullopt;
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? std::optional(value.toDateTime()) : std::nullopt;
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), value.toTime());
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    static const char* const formats[] = {"yyyy-MM-dd", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss",
                                          "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss.zzz",
                                          "dd/MM/yyyy", "dd/MM/yyyy HH:mm:ss", "d/M/yyyy"};
    for (const char* format : formats) {
        const QDateTime parsed = QDateTime::fromString(text, QLatin1String(format));
        if (parsed.isValid())
            return parsed;
    }
    const QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (time.isValid())
        return QDateTime(QDate(1899, 12, 30), time);
    return std::nullopt;
}

void SetColumnTwips(QTreeWidget* grid, int column, int twips)
{
    grid->setColumnHidden(column, twips == 0);
    if (twips > 0)
        grid->setColumnWidth(column, TwipsToPixels(grid, twips));
}

// The two header icons, drawn once: a small "A" over "Z" (or "Z" over "A") beside an arrow.
QIcon SortIcon(const QString& key)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(7);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(40, 60, 110));
    const bool ascending = key == QLatin1String("AZ");
    painter.drawText(QRect(0, 0, 8, 8), Qt::AlignCenter, ascending ? QStringLiteral("A") : QStringLiteral("Z"));
    painter.drawText(QRect(0, 8, 8, 8), Qt::AlignCenter, ascending ? QStringLiteral("Z") : QStringLiteral("A"));
    painter.setPen(QPen(QColor(40, 60, 110), 1.4));
    painter.drawLine(QPointF(12, 2), QPointF(12, 14));
    const qreal tipY = ascending ? 14 : 2;
    const qreal backY = ascending ? 10 : 6;
    painter.drawLine(QPointF(12, tipY), QPointF(9.5, backY));
    painter.drawLine(QPointF(12, tipY), QPointF(14.5, backY));
    return QIcon(pixmap);
}

void SetHeaderSortIcon(QTreeWidget* grid, int column, const QString& key)
{
    QTreeWidgetItem* header = grid->headerItem();
    header->setData(column, kSortIconRole, key);
    header->setIcon(column, key.isEmpty() ? QIcon() : SortIcon(key));
}

GridRows ReadRows(QSqlQuery& query)
{
    GridRows data;
    data.fields = query.record();
    while (query.next())
        data.rows.push_back(query.record());
    return data;
}

QTreeWidgetItem* SelectedItem(QTreeWidget* grid)
{
    QTreeWidgetItem* current = grid->currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem*> selected = grid->selectedItems();
    if (!selected.isEmpty())
        return selected.first();
    return current;
}

void AddColumns(AppContext& ctx, QTreeWidget* grid, const GridRows& data)
{
    const QSqlRecord& fields = data.fields;
    const int n = fields.count();
    QStringList captions{QStringLiteral(" ")};
    for (int k = 0; k < n; ++k)
        captions << fields.fieldName(k);
    for (int k = 0; k < n; ++k) {
        if (!IsDateField(fields.fieldName(k)))
            continue;
        captions << QStringLiteral("XX") + fields.fieldName(k);
        const int position = n + static_cast<int>(ctx.grid.DateColumns.size()) + 1;
        ctx.grid.DateColumns.push_back(DateColumn{fields.fieldName(k), position});
    }
    grid->setColumnCount(captions.size());
    grid->setHeaderItem(new QTreeWidgetItem(captions));

    const bool empty = data.rows.empty();
    SetColumnTwips(grid, 0, kFirstColumnTwips);
    for (int k = 0; k < n; ++k) {
        const Qt::Alignment alignment = empty ? (Qt::AlignLeft | Qt::AlignVCenter) : AlignmentOf(fields.field(k).metaType());
        grid->headerItem()->setTextAlignment(k + 1, alignment);
        SetColumnTwips(grid, k + 1, empty ? kEmptyGridColumnTwips : 0);
    }
    for (int column = n + 1; column < captions.size(); ++column)
        SetColumnTwips(grid, column, 0);
}

void AddRows(AppContext& ctx, QTreeWidget* grid, const GridRows& data)
{
    const QSqlRecord& fields = data.fields;
    const int n = fields.count();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(data.rows.size()));
    for (const QSqlRecord& row : data.rows) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString());
        for (int k = 0; k < n; ++k) {
            const QMetaType type = fields.field(k).metaType();
            item->setText(k + 1, FormatGridCell(row.value(k), type));
            item->setTextAlignment(k + 1, AlignmentOf(type));
            const int sortColumn = IsDateField(fields.fieldName(k)) ? DateSortColumn(ctx, fields.fieldName(k)) : 0;
            if (sortColumn > 0)
                item->setText(sortColumn, FormatSortDate(row.value(k)));
        }
        items.append(item);
    }
    grid->addTopLevelItems(items);
}

// The row becomes the current one on its first visible cell: the arrow keys do not move from a
// cell of a hidden column.
void SetCurrentRow(QTreeWidget* grid, QTreeWidgetItem* item)
{
    int column = 0;
    while (column < grid->columnCount() - 1 && grid->isColumnHidden(column))
        ++column;
    grid->setCurrentItem(item, column);
}

void ShowFirstRowBold(QTreeWidget* grid)
{
    QTreeWidgetItem* first = grid->topLevelItem(0);
    QFont bold = grid->font();
    bold.setBold(true);
    for (int column = 0; column < grid->columnCount(); ++column)
        first->setFont(column, bold);
    SetCurrentRow(grid, first);
    first->setSelected(true);
}

}  // namespace

int TwipsToPixels(const QWidget* widget, int twips)
{
    return (twips * widget->logicalDpiX() + 720) / 1440;
}

int MeasuredColumnTwips(const QTreeWidget* grid, const QString& text, bool bold)
{
    QFont font = grid->font();
    font.setBold(bold);
    const int pixels = QFontMetrics(font).horizontalAdvance(text);
    return pixels * 1440 / grid->logicalDpiX() + kMeasureMargin;
}

void FillGrid(AppContext& ctx, QTreeWidget* grid)
{
    grid->clear();
    grid->setColumnCount(0);
    ctx.grid.DateColumns.clear();
    ctx.grid.wideFirstColumn = false;
    const bool sibling = grid->objectName() == QLatin1String("LVOL");
    const Database& connection = sibling ? ctx.sibling.connection : ctx.app.Connection;
    QSqlQuery query = connection.select(ctx.grid.CurrentSql);
    const GridRows data = ReadRows(query);
    FillGridFromRows(ctx, grid, data);
}

void FillGridFromRows(AppContext& ctx, QTreeWidget* grid, const GridRows& data)
{
    grid->clear();
    ctx.grid.DateColumns.clear();
    ctx.grid.wideFirstColumn = grid->objectName() == QLatin1String("LVOL");
    // Built without repainting; shown again at the end.
    grid->setUpdatesEnabled(false);
    grid->setSortingEnabled(false);
    grid->header()->setSortIndicatorShown(false);  // the "AZ"/"ZA" header icons show the order
    // Widths are exactly those of the rules below: no stretching, no style minimum.
    grid->header()->setStretchLastSection(false);
    grid->header()->setMinimumSectionSize(1);
    ctx.grid.LastSortColumn = 0;
    ctx.grid.ReadValues = QStringList{QString()};

    AddColumns(ctx, grid, data);
    if (!data.rows.empty()) {
        AddRows(ctx, grid, data);
        AutoSizeColumns(ctx, grid);
        ShowFirstRowBold(grid);
    }
    grid->setUpdatesEnabled(true);
}

void AutoSizeColumns(AppContext& ctx, QTreeWidget* grid)
{
    const int rows = grid->topLevelItemCount();
    if (rows == 0)
        return;
    const int measured = std::min(rows, kMeasuredRows);
    const int lastColumn = grid->columnCount() - static_cast<int>(ctx.grid.DateColumns.size());
    for (int column = 0; column < lastColumn; ++column) {
        const QString caption = grid->headerItem()->text(column);
        int twips = MeasuredColumnTwips(grid, caption);
        for (int row = 0; row < measured; ++row) {
            const QString text = column == 0 ? QStringLiteral(" ") : grid->topLevelItem(row)->text(column);
            // The first row is shown in bold: measured so, its text is never cut short.
            twips = std::max(twips, MeasuredColumnTwips(grid, text, row == 0));
        }
        if (column == 0)
            twips = ctx.grid.wideFirstColumn ? kFirstColumnTwips : 0;
        else if (caption == QLatin1String("Riga di dettaglio"))
            twips = kDetailLineTwips;
        else if (caption == QLatin1String("Prog") || caption == QLatin1String("TR"))
            twips = 0;
        SetColumnTwips(grid, column, twips);
    }
}

QString FormatGridCell(const QVariant& value, QMetaType type)
{
    if (value.isNull())
        return {};
    if (type.id() == QMetaType::Double)
        return QLocale().toString(value.toDouble(), 'f', 2);
    if (IsDateType(type))
        return FormatDisplayDate(value);
    return value.toString();
}

QString FormatDisplayDate(const QVariant& value)
{
    if (value.isNull() || value.toString().isEmpty())
        return {};
    const std::optional<QDateTime> date = AsDateTime(value);
    if (!date || date->date().year() == 1899)
        return {};
    return date->toString(QStringLiteral("dd/MM/yyyy"));
}

QString FormatSortDate(const QVariant& value)
{
    if (value.isNull() || value.toString().isEmpty())
        return {};
    const std::optional<QDateTime> date = AsDateTime(value);
    return date ? date->toString(QStringLiteral("yyyyMMdd")) : value.toString();
}

int DateSortColumn(const AppContext& ctx, const QString& name)
{
    int position = 0;
    for (const DateColumn& entry : ctx.grid.DateColumns) {
        if (entry.name == name)
            position = entry.position;
    }
    return position;
}

QString HeaderSortIcon(QTreeWidget* grid, int column)
{
    return grid->headerItem()->data(column, kSortIconRole).toString();
}

void SortGridByColumn(AppContext& ctx, QTreeWidget* grid, int column)
{
    int key = DateSortColumn(ctx, grid->headerItem()->text(column));
    if (key <= 0)
        key = column;
    const bool descending = HeaderSortIcon(grid, column) != QLatin1String("ZA");
    SetHeaderSortIcon(grid, column, descending ? QStringLiteral("ZA") : QStringLiteral("AZ"));
    grid->sortItems(key, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    const int clicked = column + 1;  // LastSortColumn counts headers from 1
    if (ctx.grid.LastSortColumn != 0 && ctx.grid.LastSortColumn != clicked && ctx.grid.LastSortColumn <= grid->columnCount())
        SetHeaderSortIcon(grid, ctx.grid.LastSortColumn - 1, QString());
    ctx.grid.LastSortColumn = clicked;
}

void ReadSelectedRow(AppContext& ctx, QTreeWidget* grid)
{
    ctx.grid.ReadValues = QStringList();
    for (int j = 0; j < ctx.grid.ReadColumns.size(); ++j)
        ctx.grid.ReadValues << QString();
    if (grid->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* row = SelectedItem(grid);
    if (!row)
        return;
    for (int j = 0; j < ctx.grid.ReadColumns.size(); ++j) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (grid->headerItem()->text(column) == ctx.grid.ReadColumns[j])
                ctx.grid.ReadValues[j] = row->text(column);
        }
    }
}

void SelectGridRow(QTreeWidget* grid, const QString& key, const QString& caption)
{
    if (grid->topLevelItemCount() == 0)
        return;
    int column = -1;
    for (int c = 0; c < grid->columnCount() && column < 0; ++c) {
        if (grid->headerItem()->text(c) == caption)
            column = c;
    }
    if (column < 0)
        return;
    bool first = true;
    for (int row = 0; row < grid->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = grid->topLevelItem(row);
        if (item->text(column) != key)
            continue;
        if (first) {
            grid->clearSelection();
            SetCurrentRow(grid, item);
            first = false;
        }
        item->setSelected(true);
        grid->scrollToItem(item);
    }
}
