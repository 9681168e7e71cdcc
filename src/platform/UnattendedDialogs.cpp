// Unattended runs: a sibling program may start us on a server where nobody answers a dialog.
#include "platform/Dialogs.h"

#include <cstdio>

namespace {

class UnattendedDialogs final : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override
    {
        const QString title = request.title.isEmpty() ? QStringLiteral("KIVO") : request.title;
        // One line per message: line breaks of the text are written as the two characters \n.
        QString text = request.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n")).replace(u'\n', QStringLiteral("\\n"));
        const QByteArray line = (QStringLiteral("KIVO: ") + title + QStringLiteral(" | ") + text + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        std::fflush(stderr);
        return request.defaultButton;
    }
    QString saveFileName(const FileRequest&) override { return {}; }
    QString openFileName(const FileRequest&) override { return {}; }
};

}  // namespace

std::unique_ptr<Dialogs> MakeUnattendedDialogs()
{
    return std::make_unique<UnattendedDialogs>();
}
