#include "app/command_icons.h"

#include <QDir>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>
#include <functional>

namespace dorvana {

namespace {

const QList<CommandIcon> kIcons = {
    {"SpeedOpen", "document-open"},                // Otevřít soubor
    {"SpeedCreate", "document-new"},               // Založit soubor
    {"PrintEti", "x-office-address-book"},         // Dorvana (Aktuální záznam): a label
    {"PrintSes", "x-office-spreadsheet"},          // Tisk sestavy (Celá databáze)
    {"SpeedItem6", "image-x-generic"},             // Editace obrázku
    {"SpeedItem7", "accessories-text-editor"},     // Editace poznámky
    {"SpeedItem8", "document-properties"},         // Editace formátu databáze
    {"SpeedDrag", "list-add"},                     // Tažení aktuální věty: new records
    {"SpeedPrinter", "printer"},                   // Nastavení tiskárny
    {"SpeedQuit", "application-exit"},             // Konec programu
    {"TiskSestavy", "document-print"},             // Tisk volné sestavy
    {"ProhlizeniSestavy", "document-print-preview"},  // Prohlížení volné sestavy
    {"TvorbaSestavy", "document-edit"},            // Tvorba sestavy
    {"NovaSestava", "edit-copy"},                  // Nová sestava: a copy of a prototype
    {"VymazSestavy", "edit-delete"},               // Výmaz sestavy
};

// Drawing on a 24 × 24 grid.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(46, 52, 54);
const QColor kPaper(250, 250, 248);

// A closed outline through the given corners.
QPainterPath outline(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    for (const QPointF& c : corners) {
        if (path.elementCount() == 0) path.moveTo(c);
        else path.lineTo(c);
    }
    path.closeSubpath();
    return path;
}

void sheet(QPainter& p, QRectF r = QRectF(5, 2.5, 14, 19)) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(outline({r.topLeft(), {r.right() - 4, r.top()}, {r.right(), r.top() + 4}, r.bottomRight(),
                        r.bottomLeft()}));
    p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right() - 4, r.top() + 4));
    p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right(), r.top() + 4));
}

void textLines(QPainter& p, double left, double top, double width, int count, const QColor& c = kInk) {
    p.setPen(QPen(c, 1));
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + 3 * i), QPointF(left + width, top + 3 * i));
}

void plus(QPainter& p, QPointF centre, double size, const QColor& c) {
    p.setPen(QPen(c, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre - QPointF(size, 0), centre + QPointF(size, 0));
    p.drawLine(centre - QPointF(0, size), centre + QPointF(0, size));
}

void printerBody(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 7));  // paper going in
    p.setBrush(QColor(136, 138, 133));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
    p.setBrush(QColor(78, 154, 6));
    p.drawEllipse(QPointF(18.5, 12), 1, 1);
}

void pencil(QPainter& p) {
    p.save();
    p.translate(16, 14);
    p.rotate(45);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(252, 175, 62));
    p.drawRect(QRectF(-2, -9, 4, 12));
    p.setBrush(QColor(233, 185, 110));
    p.drawPath(outline({{-2, 3}, {2, 3}, {0, 7}}));
    p.restore();
}

const QMap<QString, Drawing>& drawings() {
    static const QMap<QString, Drawing> map = {
        {QStringLiteral("SpeedOpen"),
         [](QPainter& p) {  // an open folder
             p.setPen(QPen(QColor(143, 89, 2), 1));
             p.setBrush(QColor(233, 185, 110));
             p.drawRect(QRectF(2.5, 5.5, 16, 14));
             p.setBrush(QColor(252, 233, 79));
             p.drawPath(outline({{5.5, 10.5}, {21.5, 10.5}, {18.5, 19.5}, {2.5, 19.5}}));  // its flap
         }},
        {QStringLiteral("SpeedCreate"),
         [](QPainter& p) {  // a sheet with a plus
             sheet(p, QRectF(3.5, 2.5, 13, 18));
             plus(p, QPointF(17, 17), 4, QColor(78, 154, 6));
         }},
        {QStringLiteral("PrintEti"),
         [](QPainter& p) {  // a label tag with its hole
             p.setPen(QPen(QColor(32, 74, 135), 1));
             p.setBrush(QColor(114, 159, 207));
             p.drawPath(outline({{2.5, 12}, {8.5, 5.5}, {21.5, 5.5}, {21.5, 18.5}, {8.5, 18.5}}));
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(8, 12), 1.5, 1.5);
             textLines(p, 11.5, 9.5, 8, 3, kPaper);
         }},
        {QStringLiteral("PrintSes"),
         [](QPainter& p) {  // a sheet with a table
             sheet(p);
             p.setPen(QPen(QColor(78, 154, 6), 1));
             for (double y = 8.5; y <= 19.5; y += 3.5) p.drawLine(QPointF(7, y), QPointF(17, y));
             for (double x = 7.5; x <= 17; x += 4.5) p.drawLine(QPointF(x, 8.5), QPointF(x, 19.5));
         }},
        {QStringLiteral("SpeedItem6"),
         [](QPainter& p) {  // a picture: a hill and the sun
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(114, 159, 207));
             p.drawRect(QRectF(2.5, 4.5, 19, 15));
             p.setBrush(QColor(252, 233, 79));
             p.setPen(Qt::NoPen);
             p.drawEllipse(QPointF(16.5, 8.5), 2, 2);
             p.setBrush(QColor(78, 154, 6));
             p.drawPath(outline({{3, 19}, {9, 11}, {14, 16}, {16, 14}, {21, 19}}));  // the hill
         }},
        {QStringLiteral("SpeedItem7"),
         [](QPainter& p) {  // a yellow note with lines
             p.setPen(QPen(QColor(196, 160, 0), 1));
             p.setBrush(QColor(252, 233, 79));
             p.drawRect(QRectF(3.5, 3.5, 17, 17));
             textLines(p, 6, 8, 12, 4, QColor(143, 89, 2));
         }},
        {QStringLiteral("SpeedItem8"),
         [](QPainter& p) {  // a sheet with a list of fields
             sheet(p);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(52, 101, 164));
             for (int i = 0; i < 4; ++i) p.drawRect(QRectF(7.5, 8 + 3 * i, 2, 2));
             textLines(p, 11, 9, 5.5, 4);
         }},
        {QStringLiteral("SpeedDrag"),
         [](QPainter& p) {  // records added below the current one
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 3.5, 12, 4));
             p.setBrush(QColor(211, 215, 207));
             p.drawRect(QRectF(2.5, 9.5, 12, 4));
             p.drawRect(QRectF(2.5, 15.5, 12, 4));
             plus(p, QPointF(18.5, 15.5), 3.5, QColor(78, 154, 6));
         }},
        {QStringLiteral("SpeedPrinter"),
         [](QPainter& p) {  // a printer with its settings wheel
             printerBody(p);
             p.setPen(QPen(QColor(52, 101, 164), 2));
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
         }},
        {QStringLiteral("SpeedQuit"),
         [](QPainter& p) {  // the power symbol on red
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(204, 0, 0));
             p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
             p.setPen(QPen(kPaper, 2, Qt::SolidLine, Qt::RoundCap));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7, 7.5, 10, 10), 120 * 16, 300 * 16);
             p.drawLine(QPointF(12, 5.5), QPointF(12, 12));
         }},
        {QStringLiteral("TiskSestavy"),
         [](QPainter& p) {  // a printer with a printed sheet coming out
             printerBody(p);
             p.setPen(QPen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(6.5, 14.5, 11, 8));
             textLines(p, 8.5, 17, 7, 2);
         }},
        {QStringLiteral("ProhlizeniSestavy"),
         [](QPainter& p) {  // a sheet under a magnifier
             sheet(p, QRectF(3.5, 2.5, 13, 18));
             textLines(p, 6, 7, 8, 3);
             p.setPen(QPen(kInk, 2));
             p.setBrush(QColor(255, 255, 255, 160));
             p.drawEllipse(QPointF(14, 14), 4.5, 4.5);
             p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(17.5, 17.5), QPointF(21, 21));
         }},
        {QStringLiteral("TvorbaSestavy"),
         [](QPainter& p) {  // a sheet and a pencil
             sheet(p, QRectF(3.5, 2.5, 13, 18));
             textLines(p, 6, 7, 8, 2);
             pencil(p);
         }},
        {QStringLiteral("NovaSestava"),
         [](QPainter& p) {  // two sheets: a copy of a prototype
             sheet(p, QRectF(2.5, 2.5, 11, 14));
             sheet(p, QRectF(9.5, 7.5, 11, 14));
             textLines(p, 11.5, 13, 6, 3);
         }},
        {QStringLiteral("VymazSestavy"),
         [](QPainter& p) {  // a red cross over a sheet
             sheet(p, QRectF(3.5, 2.5, 13, 18));
             p.setPen(QPen(QColor(204, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(11, 11), QPointF(20, 20));
             p.drawLine(QPointF(20, 11), QPointF(11, 20));
         }},
    };
    return map;
}

QPixmap render(const Drawing& draw, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    draw(p);
    return pm;
}

}  // namespace

const QList<CommandIcon>& commandIcons() {
    return kIcons;
}

QString themeIconName(const QString& command) {
    for (const CommandIcon& i : kIcons)
        if (command == QLatin1String(i.command)) return QString::fromLatin1(i.themeName);
    return {};
}

QIcon drawnCommandIcon(const QString& command) {
    const auto it = drawings().constFind(command);
    if (it == drawings().cend()) return {};
    QIcon icon;
    for (int size : {16, 24, 32, 48}) icon.addPixmap(render(*it, size));
    return icon;
}

QIcon commandIcon(const QString& command) {
    const QString name = themeIconName(command);
    return name.isEmpty() ? QIcon() : QIcon::fromTheme(name, drawnCommandIcon(command));
}

void useDesktopIconTheme() {
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty() && theme != u"hicolor") return;
    for (const QString& dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory))
        if (QDir(dir).exists(QStringLiteral("Adwaita/index.theme"))) {
            QIcon::setThemeName(QStringLiteral("Adwaita"));
            return;
        }
}

}  // namespace dorvana
