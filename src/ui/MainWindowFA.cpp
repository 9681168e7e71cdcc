#include "ui/MainWindowFA.h"

#include "operators/OperatorRegister.h"
#include "platform/KivoError.h"
#include "ui/HelpWindow.h"
#include "ui/Icons.h"
#include "ui/InformationWindows.h"
#include "ui/WelcomeWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace {

// Design size of the main window in twips, on the 1280 x 1024 design screen (15 twips a pixel).
constexpr int kDesignWidthTwips = 14535;
constexpr int kDesignHeightTwips = 10185;
constexpr double kDesignScreenWidth = 1280.0;
constexpr double kDesignScreenHeight = 1024.0;

struct ToolbarButton {
    const char* key;
    const char* caption;
    const char* tooltip;
    bool separatorBefore;
};
const ToolbarButton kToolbarButtons[] = {
    {"ADD", "  Aggiungi      ", "Aggiungi all'archivio ", false},
    {"ELI", "Elimina", nullptr, false},
    {"HEL", "Help", "Documentazione Programma e Normativa", true},
    {"ANN", "Annulla", "Annulla l'ultima oeprazione", true},
    {"ESC", "Esci", nullptr, true},
};

}  // namespace

FA::FA(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FA"));
    setWindowTitle(QStringLiteral("KIVO V1.0 - Ricerca in Black List Ue/Usa"));
    setWindowIcon(KivoIcon(QStringLiteral("logo")));
    area_ = new QMdiArea;
    area_->setObjectName(QStringLiteral("MDIArea"));
    area_->setBackground(QColor(0x9a, 0xa7, 0xb8));
    setCentralWidget(area_);
    buildToolbar();
    buildMenus();
}

void FA::buildToolbar()
{
    TB2 = addToolBar(QStringLiteral("TB2"));
    TB2->setObjectName(QStringLiteral("TB2"));
    TB2->setMovable(false);
    TB2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    TB2->setIconSize(QSize(28, 28));
    for (const ToolbarButton& button : kToolbarButtons) {
        if (button.separatorBefore)
            TB2->addSeparator();
        const QString key = QLatin1String(button.key);
        QAction* action = TB2->addAction(KivoIcon(key), QString::fromUtf8(button.caption));
        action->setObjectName(key);
        // An empty tooltip keeps Qt from showing the caption as one.
        action->setToolTip(button.tooltip ? QString::fromUtf8(button.tooltip) : QString());
        connect(action, &QAction::triggered, this, [this, key] { buttonClick(key); });
        buttons_.insert(key, action);
    }
}

QAction* FA::addMenuItem(QMenu* menu, const QString& name, const QString& caption)
{
    const MenuCaption parts = SplitMenuCaption(caption);
    QAction* action = menu->addAction(KivoIcon(parts.iconKey), parts.text);
    action->setObjectName(name);
    menuItems_.insert(name, action);
    return action;
}

QAction* FA::addBarItem(const QString& name, const QString& caption)
{
    QAction* action = menuBar()->addAction(caption);
    action->setObjectName(name);
    menuItems_.insert(name, action);
    return action;
}

void FA::buildMenus()
{
    QMenuBar* bar = menuBar();
    addBarItem(QStringLiteral("Vuoto"), QStringLiteral("O"));

    QMenu* functions = bar->addMenu(QStringLiteral("Funzioni"));
    functions->setObjectName(QStringLiteral("mnuFunzioniFunzioni"));
    for (const char* name : {"OPEZARVA", "OPEMOVIK", "OPELUTERA"}) {
        const QString sibling = QString::fromLatin1(name).mid(3);
        connect(addMenuItem(functions, QLatin1String(name), QStringLiteral("Carica Operatori da %1|#k14").arg(sibling)),
                &QAction::triggered, this, &FA::notYetAvailable);
    }
    connect(addMenuItem(functions, QStringLiteral("MASSA"), QStringLiteral("Verifica di MASSA anagrafiche|#k3")),
            &QAction::triggered, this, &FA::notYetAvailable);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelpHelp"));
    connect(addMenuItem(help, QStringLiteral("helpDoc"), QStringLiteral("Documentazione|#k15")), &QAction::triggered, this,
            [this] { OpenHelp(ctx_, this); });
    for (const char* name : {"CONTATTI", "VERSIONE"}) {
        const QString caption = QLatin1String(name) == QLatin1String("CONTATTI") ? QStringLiteral("Contatti|#k6") : QStringLiteral("Versione|#k12");
        connect(addMenuItem(help, QLatin1String(name), caption), &QAction::triggered, this, [this] { showModal(new FVer(ctx_, {}, this)); });
    }

    connect(addBarItem(QStringLiteral("SITIU"), QStringLiteral("Siti Ufficiali Liste Antiterrorismo")), &QAction::triggered, this,
            [this] { showModal(new FSiti(ctx_, this)); });
    QAction* exit = addBarItem(QStringLiteral("ESCI"), QStringLiteral("Esci"));
    connect(exit, &QAction::triggered, this, &FA::endProgram);
}

void FA::load()
{
    const QRect screen = this->screen()->availableGeometry();
    const QSize design(int(kDesignWidthTwips / 15 * screen.width() / kDesignScreenWidth),
                       int(kDesignHeightTwips / 15 * screen.height() / kDesignScreenHeight));
    resize(design.boundedTo(screen.size()));
    move(screen.center() - rect().center());
    for (QAction* button : std::as_const(buttons_))
        button->setEnabled(false);
    showWelcome();
}

QMdiSubWindow* FA::showChild(QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Maximised and without a control box: the child windows are closed by their own buttons.
    QMdiSubWindow* frame = area_->addSubWindow(window, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setSystemMenu(nullptr);
    // A window that closes itself takes its frame along, so that no empty frame stays behind.
    connect(window, &QObject::destroyed, frame, &QObject::deleteLater);
    frame->showMaximized();
    area_->setActiveSubWindow(frame);
    return frame;
}

void FA::showWelcome()
{
    auto* welcome = new FINI(ctx_);
    connect(welcome, &FINI::entered, this, [this, welcome] {
        closeChildNamed(welcome->objectName());
        openOperatorRegister();
    });
    showChild(welcome);
}

void FA::openOperatorRegister()
{
    auto* window = new FOPC(ctx_);
    register_ = window;
    connect(window, &FOPC::exitRequested, this, &FA::endProgram);
    showChild(window);
    setCurrentWindow(QStringLiteral("FOPC"));
    ImpostaTB2(QStringLiteral("FOPC"));
    try {
        window->Lista();
    } catch (const KivoError& error) {
        ctx_.dialogs->inform(QStringLiteral("Errore num. %1 %2").arg(error.number).arg(error.description),
                             window->windowTitle(), MessageIcon::Critical);
    }
}

void FA::ImpostaTB2(const QString& key)
{
    for (QAction* button : std::as_const(buttons_))
        button->setEnabled(true);
    if (key != QLatin1String("FOPC")) {
        buttons_.value(QStringLiteral("ADD"))->setEnabled(false);
        buttons_.value(QStringLiteral("ELI"))->setEnabled(false);
    }
}

void FA::buttonClick(const QString& key)
{
    if (key == QLatin1String("ADD") && register_) {
        register_->Aggiungi();
    } else if (key == QLatin1String("ELI") && register_) {
        try {
            register_->Elimina();
        } catch (const KivoError& error) {
            ctx_.dialogs->inform(QStringLiteral("Errore num. %1 %2").arg(error.number).arg(error.description),
                                 QStringLiteral("Elimina"), MessageIcon::Critical);
        }
    } else if (key == QLatin1String("HEL")) {
        OpenHelp(ctx_, this);
    } else if (key == QLatin1String("ANN")) {
        if (currentWindow_ == QLatin1String("FESITO"))
            closeChildNamed(QStringLiteral("FEsito"));
        else if (currentWindow_ == QLatin1String("FDETT"))
            closeChildNamed(QStringLiteral("FDett"));
    } else if (key == QLatin1String("ESC")) {
        askAndEnd();
    }
}

void FA::closeChildNamed(const QString& objectName)
{
    for (QMdiSubWindow* frame : area_->subWindowList()) {
        if (frame->widget() && frame->widget()->objectName().compare(objectName, Qt::CaseInsensitive) == 0)
            frame->close();
    }
}

void FA::askAndEnd()
{
    MessageRequest question;
    question.text = QStringLiteral("           Vuoi uscire dal programma?         ");
    question.title = QStringLiteral("Termine programma");
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = MessageAnswer::No;
    if (ctx_.dialogs->message(question) == MessageAnswer::Yes)
        endProgram();
}

void FA::endProgram()
{
    if (ctx_.endProgram) {
        ctx_.endProgram(0);
        return;
    }
    QCoreApplication::exit(0);
}

void FA::notYetAvailable()
{
    ctx_.dialogs->inform(QStringLiteral("Funzione non ancora disponibile"), QStringLiteral("KIVO"), MessageIcon::Information);
}

void FA::showModal(QDialog* dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}
