// The designer draws every element as the printed page does: the surface
// with its editing marks off against the first printed page drawn at the
// same zoom, pixel for pixel, and the barcodes read back by a scanner.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include "base/progress.h"
#include "data/table_open.h"
#include "report/designer/document/document_fixture.h"
#include "report/render/barcode/render_helpers.h"
#include "report/render/render_fixture.h"
#include "report/designer/designer_surface.h"
#include "report/designer/document/designer_document.h"
#include "report/layout/report_run.h"
#include "report/model/section.h"
#include "report/render/draw_page.h"
#include "report/render/page_output.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

// Every element kind in the page header (the only section shown), over the
// first record of the goods table: texts in several fonts, styles, colours,
// alignments and frames, a rotated text, a text turned into an error-text
// barcode, a variable and a function whose printed value is the text the
// designer shows for them, lines, frames with solid, hatched and no fill,
// an ellipse, a picture and an EAN-13 in navy on yellow.
// The leading lines of a template on A4 whose only shown section is the
// page header, height units high.
QString headerOnly(int height) {
    QString lines = QStringLiteral("I,0,\"Drawing\"\nI,1,1,5,1,0,0\n"
                                   "I,2,0,826,1169,50,50,70,70,1,0,8,8,0,1\n");
    for (int section = 0; section < 7; ++section)
        lines += section == PlanSection::PageHeader
                     ? QStringLiteral("I,3,%1,1,%2,0,0\n").arg(section).arg(height)
                     : QStringLiteral("I,3,%1,0,0,0,0\n").arg(section);
    return lines;
}

// Every element kind in the page header over the first record of the goods
// table: texts in several fonts, styles, colours, alignments and frames, a
// rotated text, a text turned into an error-text barcode, a variable and a
// function whose printed value is the text the designer shows for them,
// lines, frames with solid, hatched and no fill, an ellipse, a picture and
// an EAN-13 in navy on yellow.
const char* const kEveryKind = R"(F,0,Akce,"",1,"",0,"'Akce'",0,0,0,3,""
H,1,0,10,10,150,20,Arial,10,0,1,0,15,1,238,"Cena za kus","","",0
H,2,nazev1,170,10,200,22,Times New Roman,12,4,2,2,0,1,238,"","",0
H,3,cena,380,10,100,20,Courier New,9,9,4,1,5,1,238,"","",0
H,4,0,490,10,100,20,Arial,10,2,8,0,0,1,238,"","",0
H,5,3,600,10,100,20,Arial,10,0,0,0,0,1,238,"Strana","","",0
H,6,0,10,40,100,20,Arial,10,0,0,0,0,1,238,"","",0
H,1,0,120,40,20,100,Arial,10,0,0,0,0,1,238,"Svisle","","",1
H,7,0,150,40,100,50,,3,1,1,63,0,0,0
H,8,0,260,40,100,50,,2,4,0,15,11,0,0
H,9,0,370,40,100,50,,1,0,0,15,9,4,0
H,10,0,480,40,100,50,,0,0,0,15,2,0,0
H,11,0,590,40,100,60,,0,0,0,48,0,0,0,"obr.png"
H,2,barcode,10,150,200,70,Arial,9,0,0,2,0,1,238,"","031010100130010411+0",0
H,1,0,220,150,150,40,Arial,8,0,0,0,0,1,238,"ABC","","031010100130010015+0",0
H,1,0,380,150,200,40,Arial,12,12,3,0,0,1,238,"Mrkev řádková","","",0
)";

// A rotated text beside an EAN-13, partly under its box; the text's line
// comes before or after the barcode's.
QString besideBarcode(bool textFirst) {
    const QString text =
        QStringLiteral("H,1,0,20,20,30,150,Arial,14,0,1,0,0,1,238,\"Pod kodem\",\"\",\"\",1\n");
    const QString barcode = QStringLiteral(
        "H,2,barcode,40,30,200,80,Arial,9,0,0,2,0,1,238,\"\",\"031010100130010015+0\",0\n");
    return headerOnly(200) + (textFirst ? text + barcode : barcode + text);
}

class DesignerDrawing : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        // A small picture with a colour in each quarter.
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter p(&picture);
        p.fillRect(0, 0, 20, 15, Qt::red);
        p.fillRect(20, 15, 20, 15, Qt::blue);
        p.end();
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("obr.png"))));
    }

    // Writes a template (UTF-8 text, stored in the templates' code page).
    QString writeTemplate(const QString& name, const QString& text) {
        const QString path = dir.filePath(name);
        QString crlf = text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(toCp1250(crlf));
        return path;
    }

    static QByteArray toCp1250(const QString& s) {
        QByteArray out;
        for (const QChar c : s) {
            switch (c.unicode()) {
                case 0x0159: out += char(0xF8); break;  // ř
                case 0x00E1: out += char(0xE1); break;  // á
                case 0x00FD: out += char(0xFD); break;  // ý
                default: out += char(c.unicode() < 0x80 ? c.unicode() : '?');
            }
        }
        return out;
    }

    // The designer's surface at the zoom with its editing marks off.
    QImage designerImage(const QString& path, double zoom, int section, QRect* body) {
        EditorOptions options;
        options.RastrZobrazovat = false;
        DesignerDocument document(messages, options);
        document.setDataSet(table.get());
        document.setParameters({QStringLiteral("první")});
        EXPECT_TRUE(document.open(path));
        DesignerSurface surface(document);
        surface.setEditingMarks(false);
        surface.setZoom(zoom);
        *body = surface.sectionRect(section);
        return surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The first printed page drawn as the preview draws it at the zoom, and
    // where the printable area begins on it.
    QImage printedImage(const QString& path, double zoom, QPoint* origin,
                        const QString& pdfPath = {}) {
        ReportRun run;
        run.settings.Parametry = {QStringLiteral("první")};
        table->first();
        run.setDataSet(table.get());
        QString error;
        EXPECT_TRUE(run.loadTemplateFile(path, &error)) << error.toStdString();
        NoProgress progress;
        EXPECT_TRUE(run.build(progress));
        const PageStore& pages = run.pages();
        EXPECT_GE(pages.pageCount(), 1);
        if (pages.pageCount() < 1) return {};
        if (!pdfPath.isEmpty()) {
            EXPECT_TRUE(writePdf(pages, pdfPath, &error)) << error.toStdString();
        }
        const auto px = [zoom](int units) { return qRound(units * zoom); };
        QImage image(px(pages.paper.width), px(pages.paper.height), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        drawPage(p, pages.page(0),
                 DrawContext::forScreen(zoom, pages.paper.leftMargin, pages.paper.topMargin));
        *origin = QPoint(px(pages.paper.leftMargin), px(pages.paper.topMargin));
        return image;
    }

    // The section as the designer shows it and the same area of the printed page.
    struct Pair {
        QImage designer, printed;
        QPoint origin;  // of the section's area on the printed page
    };
    Pair drawBoth(const QString& path, double zoom, int section = PlanSection::PageHeader,
                  const QString& pdfPath = {}) {
        QRect body;
        const QImage surface = designerImage(path, zoom, section, &body);
        QPoint origin;
        const QImage page = printedImage(path, zoom, &origin, pdfPath);
        return {surface.copy(body), page.copy(QRect(origin, body.size())), origin};
    }
};

// Pixels whose colours are not exactly the same.
int unequalPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + 1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}

}  // namespace

TEST_F(DesignerDrawing, EveryKindAsPrintedAtWholeZooms) {
    const QString path = writeTemplate(QStringLiteral("kinds.pts"), headerOnly(300) + QString::fromUtf8(kEveryKind));
    for (const double zoom : {1.0, 2.0}) {
        const Pair drawn = drawBoth(path, zoom);
        ASSERT_FALSE(drawn.designer.isNull());
        ASSERT_EQ(drawn.designer.size(), drawn.printed.size()) << zoom;
        // Something of every element is there (not two blank images).
        EXPECT_GT(inkBox(drawn.printed).width(), drawn.printed.width() / 2) << zoom;
        EXPECT_EQ(unequalPixels(drawn.designer, drawn.printed), 0) << "zoom " << zoom;
        if (HasFailure()) {
            drawn.designer.save(QDir::temp().filePath(QStringLiteral("designer-drawing-designer.png")));
            drawn.printed.save(QDir::temp().filePath(QStringLiteral("designer-drawing-printed.png")));
        }
    }
}

TEST_F(DesignerDrawing, BarcodeReadsBackAndMatchesThePrintedPage) {
    ASSERT_TRUE(zbarAvailable()) << "zbarimg (zbar-tools) is needed";
    ASSERT_TRUE(QFile::copy(sourcePath(QStringLiteral("samples/templates/etiketa.pte")),
                            dir.filePath(QStringLiteral("etiketa.pte"))));
    const QString wide = writeTemplate(
        QStringLiteral("wide.pts"),
        headerOnly(130) + QStringLiteral("H,2,barcode,20,10,300,100,Arial,10,0,0,2,0,1,238,"
                                         "\"\",\"031010100200010015+0\",0\n"));
    // etiketa's EAN has 13-thousandths bars: 1.3 pixels at 100 %, more
    // finely than a screen shows for a scanner to read (nor does its PDF
    // read at 100 dpi); a 20-thousandths EAN is 2 pixels a bar there.
    const struct {
        QString path;
        int section;
        QRect box;  // the barcode element's, 0.01 in
        double zoom;
    } cases[] = {
        {wide, PlanSection::PageHeader, {20, 10, 300, 100}, 1.0},
        {wide, PlanSection::PageHeader, {20, 10, 300, 100}, 2.0},
        {dir.filePath(QStringLiteral("etiketa.pte")), PlanSection::Body, {28, 86, 180, 50}, 2.0},
        {dir.filePath(QStringLiteral("etiketa.pte")), PlanSection::Body, {28, 86, 180, 50}, 3.0},
    };
    for (const auto& c : cases) {
        const QString name = QFileInfo(c.path).fileName() + QStringLiteral(" at %1").arg(c.zoom);
        const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
        const Pair drawn = drawBoth(c.path, c.zoom, c.section, pdf);
        EXPECT_EQ(unequalPixels(drawn.designer, drawn.printed), 0) << name.toStdString();
        // The element's box with a little of what is round it.
        const auto px = [&](int units) { return qRound(units * c.zoom); };
        const QRect box(px(c.box.x() - 6), px(c.box.y() - 6), px(c.box.width() + 12),
                        px(c.box.height() + 12));
        EXPECT_EQ(zbarDecode(drawn.designer.copy(box)), "EAN-13:8596581699839") << name.toStdString();
        EXPECT_EQ(zbarDecode(drawn.printed.copy(box)), "EAN-13:8596581699839") << name.toStdString();
        // As wide and as high as the bars the PDF prints (read at 100 dpi
        // times the zoom; its edges are smoothed, hence a pixel's tolerance).
        const QImage sheet = pdfPage(pdf, 1, qRound(100 * c.zoom));
        ASSERT_FALSE(sheet.isNull());
        const QRect inDesigner = inkBox(drawn.designer.copy(box));
        const QRect inPdf =
            inkBox(sheet.copy(box.translated(drawn.origin)).convertToFormat(QImage::Format_RGB32));
        EXPECT_NEAR(inDesigner.left(), inPdf.left(), 1) << name.toStdString();
        EXPECT_NEAR(inDesigner.right(), inPdf.right(), 1) << name.toStdString();
        EXPECT_NEAR(inDesigner.top(), inPdf.top(), 1) << name.toStdString();
        EXPECT_NEAR(inDesigner.bottom(), inPdf.bottom(), 1) << name.toStdString();
    }
}

TEST_F(DesignerDrawing, RotatedTextBesideABarcodeCoveredInBothOrNeither) {
    // Under the barcode's box part of the text lies: covered when it comes
    // first (the barcode's background over it), shown when it comes last.
    const QRect overlap(40, 30, 10, 80);  // the text's box within the barcode's, in units
    for (const bool textFirst : {true, false}) {
        const QString path =
            writeTemplate(QStringLiteral("beside.pts"), besideBarcode(textFirst));
        const Pair drawn = drawBoth(path, 1.0);
        EXPECT_EQ(unequalPixels(drawn.designer, drawn.printed), 0) << textFirst;
        // Dark pixels of the text in the overlap, where the barcode has its
        // quiet zone (no bars): none when covered.
        const auto inkIn = [&](const QImage& image) {
            const QImage area = image.copy(overlap);
            int dark = 0;
            for (int y = 0; y < area.height(); ++y)
                for (int x = 0; x < area.width(); ++x) dark += test::dark(area, x, y);
            return dark;
        };
        if (textFirst) {
            EXPECT_EQ(inkIn(drawn.designer), 0);
            EXPECT_EQ(inkIn(drawn.printed), 0);
        } else {
            EXPECT_GT(inkIn(drawn.designer), 10);
            EXPECT_GT(inkIn(drawn.printed), 10);
        }
    }
}
