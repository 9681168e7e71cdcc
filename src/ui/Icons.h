#pragma once
// The program's icon set (drawn SVG files built into the program) and the menu caption convention.

#include <QIcon>
#include <QString>

// Toolbar keys ("ADD", "ELI", "HEL", "ANN", "ESC"), menu image keys ("k3", "k6", "k12", "k14",
// "k15") and the pictures of the windows ("logo", "banner", "web", "close", "enter", "search").
// An unknown key gives a null icon.
QIcon KivoIcon(const QString& key);

// A menu caption may end with "|#" and an image key ("Carica Operatori da ZARVA|#k14"): the menu
// shows the text before "|" with that image.
struct MenuCaption {
    QString text;
    QString iconKey;
};
MenuCaption SplitMenuCaption(const QString& caption);
