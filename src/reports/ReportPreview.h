#pragma once
// The preview window of a report: the PDF's pages with zoom and page navigation.

#include <QByteArray>
#include <QString>

class QWidget;

// Shows the PDF in a new window that deletes itself when closed, and returns it.
QWidget* ShowPdfPreview(const QByteArray& pdf, const QString& title, QWidget* parent = nullptr);
