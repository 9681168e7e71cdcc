#include "reports/ChildWindows.h"

#include "ui/WindowHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

void Raise(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->show();
        frame->mdiArea()->setActiveSubWindow(frame);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void ShowChildWindow(QWidget* window, const QString& key) {
    WindowHost* host = MainWindowHost();
    if (host && !qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        host->showChild(window);
    else
        Raise(window);
    if (host)
        host->setCurrentWindow(key);
    SetToolbarFor(key);
}

void SetToolbarFor(const QString& key) {
    if (WindowHost* host = MainWindowHost())
        host->ImpostaTB2(key);
}

bool BringBackWindow(const QString& objectName) {
    QList<QWidget*> candidates;
    if (WindowHost* host = MainWindowHost()) {
        for (QMdiSubWindow* frame : host->mdiArea()->subWindowList())
            candidates << frame->widget();
    }
    candidates << QApplication::topLevelWidgets();
    for (QWidget* window : candidates) {
        if (window && window->objectName() == objectName) {
            Raise(window);
            return true;
        }
    }
    return false;
}
