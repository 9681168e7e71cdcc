#include "operators/InterimOutcome.h"

#include "data/GridModule.h"
#include "data/SqlText.h"
#include "ui/WindowHost.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

void ShowInterimOutcome(AppContext& ctx, const QString& searchedText)
{
    auto* window = new QWidget;
    window->setObjectName(QStringLiteral("FEsito"));
    window->setWindowTitle(QStringLiteral("Esito Ricerca"));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(QStringLiteral("Ricerca di: ") + searchedText));
    auto* grid = new QTreeWidget;
    grid->setObjectName(QStringLiteral("LVEsito"));
    grid->setRootIsDecorated(false);
    layout->addWidget(grid);

    ctx.grid.CurrentSql = QStringLiteral("SELECT db AS [DataBase], nome as [Nominativo], dbid as [Id] FROM INDICE WHERE IDRIC= ") +
                          SqlQuote(ctx.search.RunId) + QStringLiteral(" ORDER BY NOME");
    ctx.grid.ReadColumns = QStringList{QString()};
    FillGrid(ctx, grid);

    if (WindowHost* host = MainWindowHost()) {
        host->showChild(window);
        host->setCurrentWindow(QStringLiteral("FESITO"));
        host->ImpostaTB2(QStringLiteral("FESITO"));
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(800, 500);
        window->show();
    }
}
