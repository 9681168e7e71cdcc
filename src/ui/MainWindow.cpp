#include "ui/MainWindow.h"

#include "ui/MainWindowFA.h"

void ShowMainWindow(AppContext& ctx)
{
    auto* window = new FA(ctx);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->load();
}
