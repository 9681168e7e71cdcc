#pragma once
// FA, the main window: the area of the child windows, the toolbar TB2 and the menus.

#include "operators/OperatorRegister.h"
#include "startup/AppContext.h"
#include "ui/WindowHost.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiArea;
class QToolBar;

class FA : public QMainWindow, public WindowHost {
    Q_OBJECT
public:
    explicit FA(AppContext& ctx, QWidget* parent = nullptr);

    // Window load: size and centre, every toolbar button disabled, the welcome window in front.
    void load();

    // WindowHost
    QMdiArea* mdiArea() override { return area_; }
    QMdiSubWindow* showChild(QWidget* window) override;
    void setCurrentWindow(const QString& key) override { currentWindow_ = key; }
    QString currentWindow() const override { return currentWindow_; }
    void ImpostaTB2(const QString& key) override;

    // The toolbar button with the key ("ADD", "ELI", "HEL", "ANN", "ESC"), the menu item with the
    // control name ("OPEZARVA", "helpDoc", "ESCI", ...); null when there is none.
    QAction* toolbarButton(const QString& key) const { return buttons_.value(key); }
    QAction* menuItem(const QString& name) const { return menuItems_.value(name); }
    QToolBar* toolbar() const { return TB2; }
    FOPC* operatorRegister() const { return register_; }

    // "Entra" of the welcome window: the operator register comes to the front.
    void openOperatorRegister() override;

private:
    void buildToolbar();
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);
    QAction* addBarItem(const QString& name, const QString& caption);
    void buttonClick(const QString& key);
    void showWelcome();
    void closeChildNamed(const QString& objectName);
    void askAndEnd();
    void endProgram();
    void notYetAvailable();
    void showModal(QDialog* dialog);

    AppContext& ctx_;
    QMdiArea* area_ = nullptr;
    QToolBar* TB2 = nullptr;
    QHash<QString, QAction*> buttons_;
    QHash<QString, QAction*> menuItems_;
    QString currentWindow_;
    QPointer<FOPC> register_;
};
