// KIVO: start-up, then the main window (no command line) or the batch mode (a command line).
#include "reports/BatchMode.h"
#include "siblings/ConnectionFiles.h"
#include "startup/Startup.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QWidget>

namespace {

// A sibling program may start the batch on a server without a display: then we draw offscreen
// (the batch still needs the GUI classes to write its PDF).
void ChooseDisplayPlatform()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The command line as one text, as the program has always received it; the shell already split it
// at blanks, so the pieces are joined again with single blanks.
QString CommandLineText(const QApplication& app)
{
    return app.arguments().mid(1).join(u' ');
}

Handover ProgramHandover()
{
    Handover handover;
    handover.showMainWindow = ShowMainWindow;
    handover.runBatch = RunBatch;
    handover.writeOwnConnectionFile = WriteOwnConnectionFile;
    return handover;
}

bool AnyWindowShowing()
{
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    ChooseDisplayPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KIVO"));

    const std::unique_ptr<Dialogs> dialogs = MakeDialogsForEnvironment();
    AppContext ctx;
    ctx.programDir = QCoreApplication::applicationDirPath();
    ctx.dialogs = dialogs.get();

    if (!RunStartup(ctx, CommandLineText(app), ProgramHandover()))
        return 1;
    // The personalised batch ends here; the interactive mode and the standard batch live on in
    // their windows until the last one closes.
    if (!AnyWindowShowing())
        return 0;
    return QApplication::exec();
}
