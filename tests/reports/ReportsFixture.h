#pragma once
// A program directory with its database and report templates, a fake search service, scripted
// dialogs and a recorder of the files and pages handed to the desktop, wired into one context.

#include "support/FakeSoapServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QApplication>
#include <QObject>
#include <QWidget>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <gtest/gtest.h>

// Records what the program asks the desktop to open instead of starting a viewer or a browser.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls();
    ~OpenedUrls() override;
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

// The text of a PDF as pdftotext reads it (blank runs folded to one blank); empty when unreadable.
QString PdfText(const QString& path);
// qpdf --check found no fault.
bool PdfChecks(const QString& path);
int PdfPageCount(const QString& path);
// The visible window of the type, or null.
template <typename Window>
Window* OpenWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Where each of the texts first occurs in `text`; -1 when missing.
std::vector<qsizetype> Positions(const QString& text, const QStringList& parts);

class ReportsFixture : public ::testing::Test {
protected:
    ReportsFixture();
    ~ReportsFixture() override;

    void addOperator(const QString& code, const QString& name, const QString& vat, const QString& town,
                     const QString& province) const;
    void addHits(const QString& run, const QStringList& names, const QString& list = QStringLiteral("USA")) const;
    void addDetailLines(const QString& run, const QStringList& typedLines) const;  // "H..." / "X..."
    // The hits of the next name search, as the service sends them, with the three list dates.
    void answerSearchWith(const std::vector<std::array<const char*, 3>>& hits);

    static inline const QString kRun = QStringLiteral("09/11/2012 - 15:30:12");

    TempProgramDir program;
    FakeSoapServer server;
    ScriptedDialogs dialogs;
    OpenedUrls opened;
    AppContext ctx;
};
