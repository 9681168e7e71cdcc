// The dialog interface: unattended answers on standard error, and the on-screen boxes built as asked.
#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Runs `action` with standard error sent to a temporary file and returns what was written.
QByteArray CaptureStderr(const std::function<void()>& action)
{
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("stderr")).toLocal8Bit();
    std::fflush(stderr);
    const int saved = dup(fileno(stderr));
    FILE* target = std::fopen(path.constData(), "w");
    dup2(fileno(target), fileno(stderr));
    action();
    std::fflush(stderr);
    dup2(saved, fileno(stderr));
    close(saved);
    std::fclose(target);
    FILE* in = std::fopen(path.constData(), "r");
    QByteArray text;
    char buffer[512];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, static_cast<qsizetype>(n));
    std::fclose(in);
    return text;
}

TEST(UnattendedDialogs, WriteOneLineAndTakeTheDefault)
{
    auto dialogs = MakeUnattendedDialogs();
    MessageAnswer answer = MessageAnswer::Ok;
    const QByteArray written = CaptureStderr([&] {
        answer = dialogs->message({QStringLiteral("Eliminare l'operatore?\nRiga due"), QStringLiteral("Attenzione"),
                                   MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No});
    });
    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_EQ(written, QByteArray("KIVO: Attenzione | Eliminare l'operatore?\\nRiga due\n"));
}

TEST(UnattendedDialogs, EmptyTitleIsTheProgramsNameAndShorthandsFollowTheirDefaults)
{
    auto dialogs = MakeUnattendedDialogs();
    bool yes = true;
    const QByteArray written = CaptureStderr([&] {
        dialogs->inform(QString::fromUtf8("è fatto"));
        yes = dialogs->ask(QStringLiteral("Procedo?"));
    });
    EXPECT_FALSE(yes);  // questions default to No
    EXPECT_EQ(written, QString::fromUtf8("KIVO: KIVO | è fatto\nKIVO: KIVO | Procedo?\n").toUtf8());
    EXPECT_TRUE(dialogs->saveFileName({QStringLiteral("Salva"), QStringLiteral("a.pdf"), {}, {}}).isEmpty());
    EXPECT_TRUE(dialogs->openFileName({QStringLiteral("Apri"), {}, {}, {}}).isEmpty());
}

TEST(UnattendedDialogs, ChosenByTheEnvironment)
{
    qputenv("KIVO_UNATTENDED", "1");
    auto dialogs = MakeDialogsForEnvironment();
    qunsetenv("KIVO_UNATTENDED");
    MessageAnswer answer = MessageAnswer::Ok;
    // Would block on screen; unattended it returns the default at once.
    const QByteArray written = CaptureStderr([&] {
        answer = dialogs->message({QStringLiteral("x"), {}, MessageIcon::None, MessageButtons::OkCancel,
                                   MessageAnswer::Cancel});
    });
    EXPECT_EQ(answer, MessageAnswer::Cancel);
    EXPECT_EQ(written, QByteArray("KIVO: KIVO | x\n"));
}

// Inspects the modal widget once it is on screen, then lets `finish` close it.
template <typename Widget>
void WhenShown(const std::function<void(Widget*)>& inspectAndClose)
{
    QTimer::singleShot(0, [inspectAndClose] {
        auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget());
        ASSERT_NE(widget, nullptr);
        inspectAndClose(widget);
    });
}

TEST(WidgetDialogs, MessageBoxShowsWhatWasAsked)
{
    auto dialogs = MakeWidgetDialogs();
    WhenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("KIVO"));
        EXPECT_EQ(box->text(), QStringLiteral("Eliminare?"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(dialogs->ask(QStringLiteral("Eliminare?")));
}

TEST(WidgetDialogs, ClosingAQuestionIsNo)
{
    auto dialogs = MakeWidgetDialogs();
    WhenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Errore"));
        box->reject();
    });
    EXPECT_EQ(dialogs->message({QStringLiteral("?"), QStringLiteral("Errore"), MessageIcon::Critical,
                                MessageButtons::YesNo, MessageAnswer::Yes}),
              MessageAnswer::No);
}

TEST(WidgetDialogs, SaveDialogAddsTheDefaultSuffix)
{
    QTemporaryDir dir;
    auto dialogs = MakeWidgetDialogs();
    WhenShown<QFileDialog>([&dir](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Salva PDF"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(dir.filePath(QStringLiteral("esito")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen = dialogs->saveFileName(
        {QStringLiteral("Salva PDF"), dir.path(), QStringLiteral("File PDF (*.pdf)"), QStringLiteral("pdf")});
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("esito.pdf")));
}

TEST(WidgetDialogs, CancelledOpenDialogIsEmpty)
{
    auto dialogs = MakeWidgetDialogs();
    WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_TRUE(dialogs->openFileName({QStringLiteral("Apri"), {}, {}, {}}).isEmpty());
}

}  // namespace
