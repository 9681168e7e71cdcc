#include "ui/HelpWindow.h"

#include "ui/Icons.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

QString HelpIndexPath(const AppContext& ctx)
{
    const QString suffix = QFileInfo(ctx.helpFile).suffix().toLower();
    if (!ctx.helpFile.isEmpty() && (suffix == QLatin1String("html") || suffix == QLatin1String("htm")))
        return ctx.helpFile;
    return ctx.programPath(QStringLiteral("help/index.html"));
}

void OpenHelp(AppContext& ctx, QWidget* owner)
{
    const QString index = HelpIndexPath(ctx);
    if (!QFileInfo::exists(index)) {
        ctx.dialogs->inform(QStringLiteral("Guida in linea non trovata:\n") + index, QStringLiteral("Help"), MessageIcon::Warning);
        return;
    }
    if (auto* open = owner->findChild<QWidget*>(QStringLiteral("GuidaInLinea"), Qt::FindDirectChildrenOnly)) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new QWidget(owner, Qt::Window);
    window->setObjectName(QStringLiteral("GuidaInLinea"));
    window->setWindowTitle(QStringLiteral("KIVO - Guida In Linea"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(index));
    auto* bar = new QToolBar;
    bar->addAction(QStringLiteral("Indietro"), browser, &QTextBrowser::backward);
    bar->addAction(QStringLiteral("Avanti"), browser, &QTextBrowser::forward);
    bar->addAction(KivoIcon(QStringLiteral("k15")), QStringLiteral("Sommario"), browser, &QTextBrowser::home);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(browser);
    window->resize(owner->size().boundedTo(QSize(900, 760)).expandedTo(QSize(640, 480)));
    window->show();
}
