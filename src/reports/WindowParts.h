#pragma once
// The parts the outcome and detail windows share: title, operator row, buttons, coloured fields and
// the sortable list grid.

#include "startup/AppContext.h"

#include <QColor>
#include <QString>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

// The window's big title, named "Label1".
QLabel* TitleLabel(QWidget* parent, const QString& text);
// "Operatore che ricerca:" (a label named `labelName`) beside the read-only field vRag, returned in `field`.
QHBoxLayout* OperatorRow(QWidget* parent, const QString& labelName, QLineEdit*& field);
QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption);
void SetFieldBackground(QLineEdit* field, const QColor& colour);
// A list grid whose header click sorts it (SortGridByColumn).
QTreeWidget* SortableGrid(AppContext& ctx, QWidget* parent, const QString& name);
