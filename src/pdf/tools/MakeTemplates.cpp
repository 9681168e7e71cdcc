// Writes the four page templates of the mass verification documents: SchedaSI.pdf, SchedaNO.pdf,
// riepilogoT.pdf and riepilogoD.pdf, portrait A4 pages drawn for a landscape sheet.
//
// The program places each template on a landscape A4 page turned by a quarter turn (the origin moved
// to the top-right corner, axes rotated by 270 degrees), so the design is drawn here in landscape
// centimetres (x to the right, y downwards, 29.7 x 21) and turned onto the portrait page. The labels
// and frames leave room exactly where the program writes its variable texts.
//
// Usage: kivo_pdf_templates <output folder>   (run with QT_QPA_PLATFORM=offscreen without a display)

#include <QDir>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <functional>

namespace {

constexpr double kPointsPerCm = 72.0 / 2.54;
const QColor kFrame(40, 60, 110);
const QColor kShade(225, 232, 245);

double Cm(double v)
{
    return v * kPointsPerCm;
}

// Drawing helpers in landscape centimetres; the painter is already turned.
class Sheet {
public:
    explicit Sheet(QPainter& p) : p_(p) {}

    void Text(double x, double y, const QString& text, double size, bool bold = false, QColor colour = Qt::black)
    {
        SetFont(size, bold);
        p_.setPen(colour);
        p_.drawText(QPointF(Cm(x), Cm(y)), text);
    }
    // Text whose right end is at x (labels in front of values the program writes at x + gap).
    void TextRight(double x, double y, const QString& text, double size, bool bold = false)
    {
        SetFont(size, bold);
        p_.setPen(Qt::black);
        const double width = p_.fontMetrics().horizontalAdvance(text);
        p_.drawText(QPointF(Cm(x) - width, Cm(y)), text);
    }
    void Centred(double y, const QString& text, double size, bool bold, QColor colour = Qt::black)
    {
        SetFont(size, bold);
        p_.setPen(colour);
        const double width = p_.fontMetrics().horizontalAdvance(text);
        p_.drawText(QPointF((Cm(29.7) - width) / 2, Cm(y)), text);
    }
    void Box(double x, double y, double w, double h, QColor fill = Qt::transparent, double pen = 0.8)
    {
        p_.setPen(QPen(kFrame, pen));
        p_.setBrush(fill == Qt::transparent ? QBrush(Qt::NoBrush) : QBrush(fill));
        p_.drawRect(QRectF(Cm(x), Cm(y), Cm(w), Cm(h)));
    }
    void Line(double x1, double y1, double x2, double y2, double pen = 0.6)
    {
        p_.setPen(QPen(kFrame, pen));
        p_.drawLine(QPointF(Cm(x1), Cm(y1)), QPointF(Cm(x2), Cm(y2)));
    }

private:
    void SetFont(double size, bool bold)
    {
        QFont font("Helvetica");
        font.setPointSizeF(size);
        font.setBold(bold);
        p_.setFont(font);
    }
    QPainter& p_;
};

void Header(Sheet& s, const QString& title)
{
    s.Box(0.5, 0.4, 28.7, 1.2, kShade);
    s.Text(0.9, 1.25, "KIVO", 16, true, kFrame);
    s.Centred(1.2, title, 13, true);
}

// Verification date and page number at the foot: values at (5.0, y) and (15.5 or 15.0, y).
void Footer(Sheet& s, double y, double pageX)
{
    s.Line(0.5, y - 0.55, 29.2, y - 0.55);
    s.TextRight(4.8, y, "Data verifica:", 10, true);
    s.TextRight(pageX - 0.2, y, "Pagina:", 10, true);
    s.Text(20.0, y, "Verifica antiriciclaggio - liste UE, USA (OFAC), ONU 1267", 7);
}

void SheetCommon(Sheet& s)
{
    Header(s, "SCHEDA DI VERIFICA DEL NOMINATIVO NELLE LISTE ANTITERRORISMO");
    s.TextRight(3.3, 2.5, "Operatore:", 11, true);
    s.TextRight(5.8, 3.6, "Nominativo cercato:", 11, true);
    s.Line(0.5, 4.0, 29.2, 4.0);
    Footer(s, 20.0, 15.5);
}

void DrawSchedaSI(Sheet& s)
{
    SheetCommon(s);
    s.Box(0.5, 4.3, 28.7, 0.75, QColor(200, 30, 30));
    s.Centred(4.85, "ESITO POSITIVO - IL NOMINATIVO COMPARE NELLE LISTE", 12, true, Qt::white);
    // Hits: Db at x 1.0, Nome at x 5.1, DBID at x 26.2, rows from y 6.0 to 15.9.
    s.Box(0.5, 5.2, 28.7, 0.5, kShade);
    s.Text(1.0, 5.6, "Lista", 9, true);
    s.Text(5.1, 5.6, "Nominativo presente nella lista", 9, true);
    s.Text(26.2, 5.6, "Id lista", 9, true);
    s.Box(0.5, 5.2, 28.7, 10.9);
    s.Line(4.8, 5.2, 4.8, 16.1, 0.4);
    s.Line(25.9, 5.2, 25.9, 16.1, 0.4);
    // List dates at x 26.0, y 17.9 / 18.3 / 18.7 (Tahoma 7).
    s.Box(17.6, 17.3, 11.6, 1.65);
    s.Text(17.8, 17.6, "Aggiornamento delle liste consultate", 7, true);
    s.TextRight(25.8, 17.9, "Lista UE:", 7);
    s.TextRight(25.8, 18.3, "Lista USA (OFAC):", 7);
    s.TextRight(25.8, 18.7, "Lista ONU 1267:", 7);
    s.Text(0.8, 17.6, "Il nominativo va esaminato prima di procedere: verificare l'identita' del soggetto", 8);
    s.Text(0.8, 18.1, "e, se confermata, segnalare l'operazione secondo la normativa antiriciclaggio.", 8);
}

void DrawSchedaNO(Sheet& s)
{
    SheetCommon(s);
    s.Box(0.5, 4.3, 28.7, 0.75, QColor(30, 130, 60));
    s.Centred(4.85, "ESITO NEGATIVO - IL NOMINATIVO NON COMPARE NELLE LISTE", 12, true, Qt::white);
    s.Box(3.0, 7.5, 23.7, 4.0, kShade);
    s.Centred(9.1, "Nessuna corrispondenza trovata nelle liste consultate", 16, true, kFrame);
    s.Centred(10.2, "(Unione Europea, Tesoro USA - OFAC, Consiglio di Sicurezza ONU - Comitato 1267)", 10, false);
    // List dates at x 26.3, y 17.1 / 17.5 / 18.0 (Tahoma 10).
    s.Box(17.0, 16.3, 12.2, 2.1);
    s.Text(17.2, 16.7, "Aggiornamento delle liste consultate", 8, true);
    s.TextRight(26.1, 17.1, "Lista UE:", 9);
    s.TextRight(26.1, 17.5, "Lista USA (OFAC):", 9);
    s.TextRight(26.1, 18.0, "Lista ONU 1267:", 9);
}

void DrawRiepilogoT(Sheet& s)
{
    Header(s, "VERIFICA DI MASSA - RIEPILOGO");
    s.Centred(3.2, "Riepilogo della verifica dei nominativi nelle liste antiterrorismo", 12, false);
    s.TextRight(3.3, 5.0, "Operatore:", 12, true);
    s.TextRight(6.8, 6.8, "Nominativi verificati:", 12, true);
    s.TextRight(8.8, 8.0, "Esito:", 12, true);
    s.Line(0.5, 9.2, 29.2, 9.2);
    // List dates at x 26.3, y 12.0 / 12.8 / 13.5 (Times 14 bold).
    s.Box(14.5, 10.8, 14.7, 3.3, kShade);
    s.Text(14.8, 11.3, "Aggiornamento delle liste consultate", 10, true);
    s.TextRight(26.0, 12.0, "Lista Unione Europea:", 12);
    s.TextRight(26.0, 12.8, "Lista Tesoro USA (OFAC):", 12);
    s.TextRight(26.0, 13.5, "Lista ONU (Comitato 1267):", 12);
    s.Text(0.8, 16.0, "L'elenco dei nominativi verificati, con l'esito di ciascuno, segue nelle pagine successive.", 9);
    s.Text(0.8, 16.5, "I nominativi con esito POSITIVO sono stampati in rosso.", 9);
    Footer(s, 20.35, 15.0);
}

void DrawRiepilogoD(Sheet& s)
{
    s.Box(0.5, 0.2, 28.7, 0.9, kShade);
    s.Text(0.9, 0.85, "KIVO", 12, true, kFrame);
    s.Centred(0.85, "VERIFICA DI MASSA - ELENCO DEI NOMINATIVI CERCATI", 11, true);
    // Column headings are written at y 1.8 by the program; names from y 2.25 to 19.5.
    s.Box(0.1, 1.3, 29.5, 18.6);
    s.Line(0.1, 1.95, 29.6, 1.95);
    Footer(s, 20.5, 15.0);
}

bool WriteTemplate(const QString& path, const std::function<void(Sheet&)>& draw)
{
    QPdfWriter writer(path);
    writer.setResolution(72);  // one device unit = one point
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator("KIVO");
    writer.setTitle(QFileInfo(path).completeBaseName());
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    // Landscape (x, y) in points becomes portrait (y, H - x): a quarter turn that the program undoes
    // when it places the page with a 270 degree rotation.
    painter.translate(0, writer.pageLayout().fullRectPoints().height());
    painter.rotate(-90);
    Sheet sheet(painter);
    draw(sheet);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) return 1;
    const std::pair<const char*, std::function<void(Sheet&)>> templates[] = {
        {"SchedaSI.pdf", DrawSchedaSI},
        {"SchedaNO.pdf", DrawSchedaNO},
        {"riepilogoT.pdf", DrawRiepilogoT},
        {"riepilogoD.pdf", DrawRiepilogoD},
    };
    for (const auto& [name, draw] : templates) {
        if (!WriteTemplate(out.filePath(name), draw)) {
            std::fprintf(stderr, "cannot write %s\n", name);
            return 1;
        }
    }
    return 0;
}
