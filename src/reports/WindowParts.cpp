#include "reports/WindowParts.h"

#include "data/GridModule.h"

#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

QLabel* TitleLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QHBoxLayout* OperatorRow(QWidget* parent, const QString& labelName, QLineEdit*& field) {
    auto* label = new QLabel(QStringLiteral("Operatore che ricerca:"), parent);
    label->setObjectName(labelName);
    field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("vRag"));
    field->setReadOnly(true);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(field, 1);
    return row;
}

QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

void SetFieldBackground(QLineEdit* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

QTreeWidget* SortableGrid(AppContext& ctx, QWidget* parent, const QString& name) {
    auto* grid = new QTreeWidget(parent);
    grid->setObjectName(name);
    grid->setRootIsDecorated(false);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->header()->setSectionsClickable(true);
    QObject::connect(grid->header(), &QHeaderView::sectionClicked, grid,
                     [&ctx, grid](int column) { SortGridByColumn(ctx, grid, column); });
    return grid;
}
