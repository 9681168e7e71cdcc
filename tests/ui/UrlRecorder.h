#pragma once
// Stands in for the desktop's browser and mail program: records every address handed to them.

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <QStringList>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};
