#include "ui/Icons.h"

#include <QHash>

QIcon KivoIcon(const QString& key)
{
    static const QHash<QString, QString> files{
        {QStringLiteral("ADD"), QStringLiteral("add")},         {QStringLiteral("ELI"), QStringLiteral("delete")},
        {QStringLiteral("HEL"), QStringLiteral("help")},        {QStringLiteral("ANN"), QStringLiteral("undo")},
        {QStringLiteral("ESC"), QStringLiteral("exit")},        {QStringLiteral("k14"), QStringLiteral("import")},
        {QStringLiteral("k3"), QStringLiteral("mass")},         {QStringLiteral("k15"), QStringLiteral("docs")},
        {QStringLiteral("k6"), QStringLiteral("contacts")},     {QStringLiteral("k12"), QStringLiteral("version")},
        {QStringLiteral("logo"), QStringLiteral("kivo-logo")},  {QStringLiteral("banner"), QStringLiteral("kivo-banner")},
        {QStringLiteral("web"), QStringLiteral("web")},         {QStringLiteral("close"), QStringLiteral("close")},
        {QStringLiteral("enter"), QStringLiteral("enter")},     {QStringLiteral("search"), QStringLiteral("search")},
    };
    const auto file = files.constFind(key);
    if (file == files.constEnd())
        return {};
    return QIcon(QStringLiteral(":/icons/") + file.value() + QStringLiteral(".svg"));
}

MenuCaption SplitMenuCaption(const QString& caption)
{
    const int bar = caption.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {caption, {}};
    MenuCaption result{caption.left(bar), {}};
    const QString tag = caption.mid(bar + 1);
    if (tag.startsWith(QLatin1Char('#')))
        result.iconKey = tag.mid(1);
    return result;
}
