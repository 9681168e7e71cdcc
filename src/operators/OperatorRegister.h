#pragma once
// FOPC, the operator register: the list of operators, the detail of the current one, and the search
// of one element on the operator's behalf.

#include "startup/AppContext.h"

#include <QWidget>

class FieldFocus;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class FOPC : public QWidget {
    Q_OBJECT
public:
    FOPC(AppContext& ctx, QWidget* parent = nullptr);

    void Lista();
    void LVOpe_Click();
    void Aggiungi();
    void Elimina();
    void Aggiorna();
    void Conferma();
    // Validates the detail fields: the first empty required field is reported; returns validity.
    bool Controlla();
    void Cerca_Click();

    bool isValid() const { return valid_; }

signals:
    // "Esci dal programma": the program ends at once.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addField(const QString& name, int maxLength, Qt::Alignment alignment = Qt::AlignLeft);
    QWidget* buildDetailFrame();
    QWidget* buildSearchFrame();
    void watchFields();
    void showOperator();
    void storeOperator(const QString& code);
    void handOverToOutcome(const QString& searchedText);
    // Runs a step that reaches the database; a failure is reported, never left to end the program.
    template <typename Step>
    void guarded(const QString& title, Step step);

    AppContext& ctx_;
    FieldFocus* focus_ = nullptr;
    QTreeWidget* LVOpe = nullptr;
    QLineEdit* tocod = nullptr;
    QLineEdit* torag = nullptr;
    QLineEdit* tocf = nullptr;
    QLineEdit* topiva = nullptr;
    QLineEdit* toindi = nullptr;
    QLineEdit* toloca = nullptr;
    QLineEdit* tocap = nullptr;
    QLineEdit* topr = nullptr;
    QLineEdit* NomeRic = nullptr;
    QLineEdit* CFRic = nullptr;
    QLineEdit* DocRic = nullptr;
    QPushButton* Cmd_Conferma = nullptr;
    QPushButton* Cerca = nullptr;
    QPushButton* Command3 = nullptr;
    bool valid_ = false;
};

// The statement of the operator list.
extern const char* const kOperatorListSql;
