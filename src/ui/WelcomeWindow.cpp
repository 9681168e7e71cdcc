#include "ui/WelcomeWindow.h"

#include "ui/Icons.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* CentredLabel(const QString& name, const QString& text, qreal pointSize, bool bold)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QLabel* Picture(const QString& name, const QString& iconKey, QSize size)
{
    auto* picture = new QLabel;
    picture->setObjectName(name);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(KivoIcon(iconKey).pixmap(size));
    return picture;
}

}  // namespace

FINI::FINI(AppContext& ctx, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FINI"));
    setWindowTitle(QStringLiteral("Benvenuto"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, QColor(23, 54, 92));
    setPalette(white);
    QFont font = this->font();
    font.setPointSizeF(9);
    font.setBold(true);
    setFont(font);

    LVersionePgm = CentredLabel(QStringLiteral("LVersionePgm"), QStringLiteral(" "), 12, true);
    Nrel = CentredLabel(QStringLiteral("Nrel"), QStringLiteral("Release 0"), 9, true);
    Command1 = new QPushButton(KivoIcon(QStringLiteral("enter")), QStringLiteral("Entra"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setIconSize(QSize(28, 28));
    Command1->setMinimumSize(260, 48);
    connect(Command1, &QPushButton::clicked, this, &FINI::entered);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(Picture(QStringLiteral("Image2"), QStringLiteral("banner"), QSize(490, 90)));
    layout->addSpacing(24);
    layout->addWidget(Picture(QStringLiteral("Image1"), QStringLiteral("logo"), QSize(180, 192)));
    layout->addSpacing(24);
    layout->addWidget(CentredLabel(QStringLiteral("Versione"), QStringLiteral("KIVO Ricerca in Black List Ue/Usa"), 14.25, true));
    layout->addWidget(LVersionePgm);
    layout->addWidget(Nrel);
    layout->addSpacing(32);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    layout->addStretch(3);

    // Window load: edition and release of this installation.
    LVersionePgm->setText(ctx.app.VersionText);
    Nrel->setText(ctx.app.ReleaseText);
}
