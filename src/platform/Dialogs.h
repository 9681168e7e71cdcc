#pragma once
// Every message box and file dialog of the program goes through this interface: the windows use it,
// unattended runs answer it on standard error, tests script it.

#include <QString>
#include <QStringList>
#include <memory>

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title;  // empty: the program's name, "KIVO"
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
};

struct FileRequest {
    QString title;
    QString proposal;     // proposed file name or folder
    QString filter;       // Qt filter text, e.g. "File PDF (*.pdf)"
    QString defaultSuffix;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // Empty result: the user cancelled.
    virtual QString saveFileName(const FileRequest& request) = 0;
    virtual QString openFileName(const FileRequest& request) = 0;

    // Shorthands for the common shapes.
    void inform(const QString& text, const QString& title = {}, MessageIcon icon = MessageIcon::None);
    // A Yes/No question with No as the default button; true only for Yes.
    bool ask(const QString& text, const QString& title = {});
};

// Message boxes and file dialogs on screen (QMessageBox, QFileDialog).
std::unique_ptr<Dialogs> MakeWidgetDialogs();
// For KIVO_UNATTENDED=1: messages to standard error as "KIVO: <title> | <text>", default answers,
// file dialogs cancelled.
std::unique_ptr<Dialogs> MakeUnattendedDialogs();
// The unattended dialogs when KIVO_UNATTENDED is "1", else the widget dialogs.
std::unique_ptr<Dialogs> MakeDialogsForEnvironment();
