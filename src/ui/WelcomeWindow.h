#pragma once
// FINI, the welcome window: title, edition and release, and "Entra" to the operator register.

#include "startup/AppContext.h"

#include <QWidget>

class QLabel;
class QPushButton;

class FINI : public QWidget {
    Q_OBJECT
public:
    FINI(AppContext& ctx, QWidget* parent = nullptr);

signals:
    // "Entra": the window closes and the operator register opens.
    void entered();

private:
    QLabel* LVersionePgm = nullptr;
    QLabel* Nrel = nullptr;
    QPushButton* Command1 = nullptr;
};
