#pragma once
// Reading saved and printed output back with real tools: unrtf for RTF, poppler for PDF.
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// False (and the test should skip) when the tool is not installed.
bool werkzeugDa(const QString& name);

// unrtf's HTML of the file, and that HTML turned back into text: one line per paragraph,
// tabs as "\t", entities decoded.
QString unrtfHtml(const QString& pfad);
QString unrtfText(const QString& pfad);

// pdftotext -layout; pages are separated by "\f".
QString pdfText(const QString& pfad);

// Words with their boxes in points (pdftotext -bbox), page by page.
struct PdfWort {
    int seite = 0;
    QRectF kasten;
    QString text;
};
struct PdfSeiten {
    double breite = 0;
    double hoehe = 0;
    QList<PdfWort> woerter;
    int seitenzahl = 0;
};
PdfSeiten pdfWoerter(const QString& pfad);

// A field of pdfinfo ("Title", "Pages", ...).
QString pdfInfo(const QString& pfad, const QString& feld);
