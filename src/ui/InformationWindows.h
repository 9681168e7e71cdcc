#pragma once
// The two modal information windows: FSiti (the official list pages) and FVer (edition, release and
// the maker's contacts).

#include "startup/AppContext.h"

#include <QDialog>

// The maker's contacts shown by FVer.
struct MakerContacts {
    QString salesAddress = QStringLiteral("commerciale@kivo.local");
    QString supportAddressShown = QStringLiteral("assistenza@kivo.local");
    QString supportRecipient = QStringLiteral("tecnico@kivo.local");
    QString switchboard = QStringLiteral("+39 0521 000000");
};

class FSiti : public QDialog {
    Q_OBJECT
public:
    FSiti(AppContext& ctx, QWidget* parent = nullptr);
};

class FVer : public QDialog {
    Q_OBJECT
public:
    FVer(AppContext& ctx, const MakerContacts& contacts = {}, QWidget* parent = nullptr);
};

// The EU list page as FSiti shows it: the configured page without the fragment that the detail
// window completes with a hit's id.
QString EuListPage(const SiteSettings& sites);
