#pragma once
// What the child windows need from the main window FA, without linking to it: windows of other
// libraries (the outcome and detail windows) include this header only and find the main window at
// run time. When no main window exists (tests, batch without a frame) MainWindowHost() is null and
// the caller shows its window on its own.

#include <QApplication>
#include <QString>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // The area that holds the child windows.
    virtual QMdiArea* mdiArea() = 0;
    // Adds the window as a maximised child without a control box, shows it in front and returns its
    // frame. The frame is deleted when the window closes (the window gets WA_DeleteOnClose).
    virtual QMdiSubWindow* showChild(QWidget* window) = 0;

    // "FOPC", "FESITO" or "FDETT": the child window that loaded last; read by the toolbar's "Annulla".
    virtual void setCurrentWindow(const QString& key) = 0;
    virtual QString currentWindow() const = 0;

    // Enables every toolbar button, then disables "ADD" and "ELI" unless the key is "FOPC".
    virtual void ImpostaTB2(const QString& key) = 0;

    // Brings the operator register to the front, loading it when it is not open.
    virtual void openOperatorRegister() = 0;
};

// The main window of this program, or null when none is open.
inline WindowHost* MainWindowHost()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* host = dynamic_cast<WindowHost*>(widget))
            return host;
    }
    return nullptr;
}
