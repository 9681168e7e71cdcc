// Message boxes and file dialogs on screen.
#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ToQtButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Ok: break;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQtButton(int button, MessageAnswer fallback)
{
    switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return fallback;  // closed with Escape or the title bar
    }
}

// Escape and the close box answer Cancel when there is one, else No for questions, else OK.
MessageAnswer EscapeAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

class WidgetDialogs final : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override
    {
        QMessageBox box(ToQtIcon(request.icon), request.title.isEmpty() ? QStringLiteral("KIVO") : request.title,
                        request.text, ToQtButtons(request.buttons), QApplication::activeWindow());
        box.setDefaultButton(ToQtButton(request.defaultButton));
        return FromQtButton(box.exec(), EscapeAnswer(request.buttons));
    }

    QString saveFileName(const FileRequest& request) override
    {
        return runFileDialog(request, QFileDialog::AcceptSave);
    }

    QString openFileName(const FileRequest& request) override
    {
        return runFileDialog(request, QFileDialog::AcceptOpen);
    }

private:
    static QString runFileDialog(const FileRequest& request, QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(QApplication::activeWindow(), request.title, request.proposal, request.filter);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!request.defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

}  // namespace

std::unique_ptr<Dialogs> MakeWidgetDialogs()
{
    return std::make_unique<WidgetDialogs>();
}
