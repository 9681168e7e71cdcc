#include "ui/InformationWindows.h"

#include "ui/ExternalLinks.h"
#include "ui/Icons.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont Sized(QFont font, qreal pointSize, bool bold)
{
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* Label(const QString& name, const QString& text, const QFont& font, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// A label that acts like a link: blue, underlined, a pointing hand, a click runs the action.
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& name, const QString& text, std::function<void()> action)
        : QLabel(text), action_(std::move(action))
    {
        setObjectName(name);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && action_)
            action_();
    }

private:
    std::function<void()> action_;
};

// Design sizes are twips on a 1280 x 1024 screen: the window takes the same share of this screen.
void SizeAndCentre(QDialog* dialog, int widthTwips, int heightTwips)
{
    const QRect screen = dialog->screen()->availableGeometry();
    const double scale = std::max(1.0, std::min(screen.width() / 1280.0, screen.height() / 1024.0));
    const QSize size(int(widthTwips / 15 * scale), int(heightTwips / 15 * scale));
    dialog->resize(size.expandedTo(dialog->minimumSizeHint()));
    dialog->move(screen.center() - dialog->rect().center());
}

}  // namespace

QString EuListPage(const SiteSettings& sites)
{
    const int fragment = sites.paginaUE.indexOf(QLatin1Char('#'));
    return fragment < 0 ? sites.paginaUE : sites.paginaUE.left(fragment);
}

FSiti::FSiti(AppContext& ctx, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSiti"));
    setWindowTitle(QStringLiteral("Siti ufficiali liste Antiterrorismo"));
    const QFont base = Sized(font(), 9.75, false);
    setFont(base);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(8);
    auto* intro = Label(QStringLiteral("Label1"), QStringLiteral("Il programma KIVO interroga le liste scaricate da questi tre siti ufficiali:"),
                        Sized(base, 9.75, true));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    struct ListSite {
        const char* labelName;
        const char* title;
        const char* buttonName;
        const char* pictureName;
        QString address;
    };
    const ListSite sites[] = {
        {"Label2", "UNIONE EUROPEA", "Command1", "Picture2", EuListPage(ctx.sites)},
        {"Label3", "Dipartimento del Tesoro USA", "Command2", "Picture1", ctx.sites.paginaUSA},
        {"Label4", "Security Council Committee  1267 (Talebani e Al Qaida)", "Command3", "Picture3", ctx.sites.paginaONU},
    };
    for (const ListSite& site : sites) {
        layout->addStretch(1);  // the three sites share the height of the window evenly
        layout->addWidget(Label(QLatin1String(site.labelName), QString::fromUtf8(site.title), Sized(base, 14.25, true)));
        auto* row = new QHBoxLayout;
        auto* button = new QPushButton(site.address);
        button->setObjectName(QLatin1String(site.buttonName));
        button->setFont(Sized(base, 9.75, true));
        button->setToolTip(site.address);
        button->setMinimumHeight(34);
        auto* picture = new QToolButton;
        picture->setObjectName(QLatin1String(site.pictureName));
        picture->setIcon(KivoIcon(QStringLiteral("web")));
        picture->setIconSize(QSize(28, 28));
        picture->setAutoRaise(true);
        picture->setCursor(Qt::PointingHandCursor);
        const QString address = site.address;
        const auto open = [&ctx, address] { OpenListPage(ctx, address); };
        connect(button, &QPushButton::clicked, this, open);
        connect(picture, &QToolButton::clicked, this, open);
        row->addWidget(button, 1);
        row->addWidget(picture);
        layout->addLayout(row);
    }
    layout->addStretch(1);
    auto* close = new QPushButton(KivoIcon(QStringLiteral("close")), QStringLiteral("Chiudi"));
    close->setObjectName(QStringLiteral("bAnnulla"));
    close->setMinimumSize(120, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignHCenter);

    SizeAndCentre(this, 9945, 7335);
}

FVer::FVer(AppContext& ctx, const MakerContacts& contacts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FVer"));
    setWindowTitle(QStringLiteral("KIVO - Versione"));
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(grey);
    const QFont base = Sized(font(), 9, true);
    setFont(base);

    QFont link = Sized(base, 9, true);
    link.setItalic(true);
    link.setUnderline(true);
    QFont plainItalic = Sized(base, 9, true);
    plainItalic.setItalic(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(Label(QStringLiteral("Versione"), ctx.app.VersionText, Sized(base, 14.25, true), Qt::AlignHCenter));
    layout->addWidget(Label(QStringLiteral("Nrel"), ctx.app.ReleaseText, Sized(base, 9.75, true), Qt::AlignHCenter));
    layout->addSpacing(14);
    layout->addWidget(Label(QStringLiteral("Label1"), QStringLiteral("Contatti "), Sized(base, 14.25, true), Qt::AlignHCenter));
    layout->addSpacing(6);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    const auto mailLabel = [&](const char* name, const QString& shown, const QString& recipient) {
        auto* label = new ClickLabel(QLatin1String(name), shown, [&ctx, recipient] { StartMail(ctx, recipient); });
        label->setFont(link);
        QPalette blue = label->palette();
        blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label->setPalette(blue);
        label->setToolTip(QStringLiteral("Scrivi a ") + recipient);
        return label;
    };
    grid->addWidget(Label(QStringLiteral("Label2"), QStringLiteral("Ufficio Commerciale:"), base), 0, 0);
    grid->addWidget(mailLabel("Label11", contacts.salesAddress, contacts.salesAddress), 0, 1);
    grid->addWidget(Label(QStringLiteral("Label12"), QStringLiteral("Ufficio Assistenza:"), base), 1, 0);
    grid->addWidget(mailLabel("Label14", contacts.supportAddressShown, contacts.supportRecipient), 1, 1);
    grid->addWidget(Label(QStringLiteral("Label3"), QStringLiteral("Centralino:"), base), 2, 0);
    grid->addWidget(Label(QStringLiteral("Label13"), contacts.switchboard, plainItalic), 2, 1);
    // The contacts stand centred under the centred headings.
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(grid);
    centred->addStretch(1);
    layout->addStretch(1);
    layout->addLayout(centred);
    layout->addStretch(2);

    auto* close = new QPushButton(KivoIcon(QStringLiteral("close")), QStringLiteral("Chiudi"));
    close->setObjectName(QStringLiteral("Command1"));
    close->setFont(Sized(base, 7.5, false));
    close->setMinimumSize(100, 30);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignHCenter);

    SizeAndCentre(this, 7785, 5520);
    setFixedSize(size());
}
