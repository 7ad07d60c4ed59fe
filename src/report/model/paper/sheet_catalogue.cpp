#include "report/model/paper/sheet_catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace dorvana {

namespace {

QString mmText(double points) {
    const double mm = std::round(points / kPointsPerMm * 10) / 10;
    return QString::number(mm, 'f', mm == std::floor(mm) ? 0 : 1).replace(u'.', u',');
}

QString key(const QString& brand, const QString& part) {
    return brand.toCaseFolded() + u'\x1f' + part.toCaseFolded();
}

}  // namespace

int SheetProduct::labelCount() const {
    int n = 0;
    for (const SheetLayout& l : layouts) n += l.nx * l.ny;
    return n;
}

QString SheetProduct::geometryText() const {
    QString grid;
    if (layouts.size() == 1)
        grid = QStringLiteral("%1 × %2").arg(layouts[0].nx).arg(layouts[0].ny);
    else
        grid = QString::number(labelCount());
    QString label;
    switch (shape) {
        case SheetShape::Rectangle:
            label = mmText(width) + QStringLiteral(" × ") + mmText(height) + QStringLiteral(" mm");
            break;
        case SheetShape::Ellipse:
            label = QStringLiteral("ovál ") + mmText(width) + QStringLiteral(" × ") +
                    mmText(height) + QStringLiteral(" mm");
            break;
        case SheetShape::Round:
            label = QStringLiteral("kruh ⌀ ") + mmText(width) + QStringLiteral(" mm");
            break;
        case SheetShape::Cd:
            label = QStringLiteral("CD ⌀ ") + mmText(width) + QStringLiteral(" mm");
            break;
    }
    QString paper = paperName == u"Other" ? mmText(paperWidth) + QStringLiteral(" × ") +
                                                mmText(paperHeight) + QStringLiteral(" mm")
                                          : paperName;
    return QStringLiteral("%1, %2 štítků %3").arg(paper, grid, label);
}

bool parseSheetLength(QStringView text, double* points) {
    text = text.trimmed();
    double factor = 1;
    if (text.endsWith(u"pt")) {
        text.chop(2);
    } else if (text.endsWith(u"in")) {
        factor = 72;
        text.chop(2);
    } else if (text.endsWith(u"mm")) {
        factor = kPointsPerMm;
        text.chop(2);
    } else if (text.endsWith(u"cm")) {
        factor = kPointsPerMm * 10;
        text.chop(2);
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 1e6) return false;
    *points = value * factor;
    return true;
}

QString SheetCatalogue::systemFolder() {
    return QStringLiteral("/usr/share/libglabels-3.0/templates");
}

QString SheetCatalogue::userFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/dorvana/sheets");
}

SheetCatalogue SheetCatalogue::standard() {
    SheetCatalogue catalogue;
    catalogue.addBuiltIns();
    catalogue.readFolder(systemFolder());
    catalogue.readFolder(userFolder(), true);
    catalogue.resolveEquivalents();
    return catalogue;
}

void SheetCatalogue::readPaperSizes(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxSheetFileSize || !file.open(QIODevice::ReadOnly)) return;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::DTD) return;
        if (xml.isStartElement() && xml.name() == u"Paper-size") {
            const auto a = xml.attributes();
            double w = 0, h = 0;
            if (parseSheetLength(a.value(QLatin1String("width")), &w) &&
                parseSheetLength(a.value(QLatin1String("height")), &h))
                papers_.append(Paper{a.value(QLatin1String("id")).toString(), w, h});
        }
    }
}

bool SheetCatalogue::paperSize(const QString& id, double* width, double* height) const {
    static const struct {
        const char16_t* id;
        double w, h;
    } known[] = {{u"A4", 210 * kPointsPerMm, 297 * kPointsPerMm},
                 {u"A5", 148 * kPointsPerMm, 210 * kPointsPerMm},
                 {u"A3", 297 * kPointsPerMm, 420 * kPointsPerMm},
                 {u"US-Letter", 612, 792},
                 {u"US-Legal", 612, 1008}};
    for (const Paper& p : papers_)
        if (p.id == id) {
            *width = p.width;
            *height = p.height;
            return true;
        }
    for (const auto& k : known)
        if (id == QStringView(k.id)) {
            *width = k.w;
            *height = k.h;
            return true;
        }
    return false;
}

void SheetCatalogue::readFolder(const QString& folder, bool userFiles) {
    const QDir dir(folder);
    if (!dir.exists()) return;
    if (dir.exists(QStringLiteral("paper-sizes.xml")))
        readPaperSizes(dir.filePath(QStringLiteral("paper-sizes.xml")));
    const QStringList names =
        dir.entryList({userFiles ? QStringLiteral("*.xml") : QStringLiteral("*-templates.xml")},
                      QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : names) readFile(dir.filePath(name));
}

bool SheetCatalogue::readFile(const QString& path) {
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).size() > kMaxSheetFileSize) {
        messages_ << QStringLiteral("Soubor %1 je příliš velký (nejvýše %2 MB), nebyl načten.")
                         .arg(name)
                         .arg(kMaxSheetFileSize / (1024 * 1024));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        messages_ << QStringLiteral("Soubor %1 nelze číst.").arg(name);
        return false;
    }
    return readXml(file.read(kMaxSheetFileSize + 1), path);
}

bool SheetCatalogue::readXml(const QByteArray& bytes, const QString& source) {
    const QString name = QFileInfo(source).fileName();
    if (bytes.size() > kMaxSheetFileSize) {
        messages_ << QStringLiteral("Soubor %1 je příliš velký (nejvýše %2 MB), nebyl načten.")
                         .arg(name)
                         .arg(kMaxSheetFileSize / (1024 * 1024));
        return false;
    }
    // Products are taken only when the whole file reads well: a file cut
    // short or broken halfway adds nothing.
    QList<SheetProduct> read;
    QStringList problems;
    QXmlStreamReader xml(bytes);
    SheetProduct* current = nullptr;
    bool skip = false;  // the current template is left out
    auto problem = [&](const QString& text) {
        problems << QStringLiteral("%1, řádek %2: %3").arg(name).arg(xml.lineNumber()).arg(text);
    };
    auto length = [&](const QXmlStreamAttributes& a, QLatin1String attribute, double* value,
                      bool required = true) {
        if (!a.hasAttribute(attribute)) {
            if (required) problem(QStringLiteral("chybí údaj %1").arg(attribute));
            return !required;
        }
        if (parseSheetLength(a.value(attribute), value)) return true;
        problem(QStringLiteral("neplatná délka %1=\"%2\"")
                    .arg(attribute, a.value(attribute).left(40).toString()));
        return false;
    };
    bool rootSeen = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            // Entity declarations could blow a small file up or point at other
            // files; sheet files have no use for them.
            messages_ << QStringLiteral(
                             "Soubor %1 obsahuje deklaraci typu dokumentu (entity), "
                             "nebyl načten.")
                             .arg(name);
            return false;
        }
        if (token == QXmlStreamReader::EndElement && xml.name() == u"Template") {
            if (current && (skip || (current->equivalentOf.isEmpty() &&
                                     (current->layouts.isEmpty() || current->width <= 0)))) {
                if (!skip)
                    problem(
                        QStringLiteral("štítek %1 nemá tvar ani rozvržení").arg(current->name()));
                read.removeLast();
            }
            current = nullptr;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        const auto a = xml.attributes();
        const QStringView tag = xml.name();
        if (!rootSeen) {
            rootSeen = true;
            if (tag != u"Glabels-templates") {
                messages_ << QStringLiteral("Soubor %1 není soubor archů štítků.").arg(name);
                return false;
            }
            continue;
        }
        if (tag == u"Template") {
            SheetProduct p;
            p.brand = a.value(QLatin1String("brand")).toString().trimmed();
            p.part = a.value(QLatin1String("part")).toString().trimmed();
            p.description = a.value(QLatin1String("_description")).toString();
            if (p.description.isEmpty())
                p.description = a.value(QLatin1String("description")).toString();
            p.equivalentOf = a.value(QLatin1String("equiv")).toString().trimmed();
            p.source = source;
            p.paperName = a.value(QLatin1String("size")).toString();
            read.append(p);
            current = &read.last();
            skip = false;
            if (p.brand.isEmpty() || p.part.isEmpty()) {
                problem(QStringLiteral("štítek bez značky nebo čísla výrobku"));
                skip = true;
            } else if (p.equivalentOf.isEmpty()) {
                if (p.paperName == u"Other" || p.paperName.isEmpty()) {
                    if (!length(a, QLatin1String("width"), &current->paperWidth) ||
                        !length(a, QLatin1String("height"), &current->paperHeight))
                        skip = true;
                    current->paperName = QStringLiteral("Other");
                } else if (p.paperName == u"roll") {
                    problem(QStringLiteral("%1 je role, ne arch").arg(p.name()));
                    skip = true;
                } else if (!paperSize(p.paperName, &current->paperWidth, &current->paperHeight)) {
                    problem(QStringLiteral("neznámý formát papíru %1").arg(p.paperName));
                    skip = true;
                }
            }
            continue;
        }
        if (!current || skip) continue;
        if (tag.startsWith(u"Label-")) {
            if (current->width > 0) continue;  // only the first label shape counts
            if (tag == u"Label-rectangle" || tag == u"Label-ellipse") {
                current->shape =
                    tag == u"Label-rectangle" ? SheetShape::Rectangle : SheetShape::Ellipse;
                if (!length(a, QLatin1String("width"), &current->width) ||
                    !length(a, QLatin1String("height"), &current->height) ||
                    !length(a, QLatin1String("round"), &current->radius, false))
                    skip = true;
            } else if (tag == u"Label-round" || tag == u"Label-cd") {
                current->shape = tag == u"Label-round" ? SheetShape::Round : SheetShape::Cd;
                double r = 0;
                if (!length(a, QLatin1String("radius"), &r)) skip = true;
                current->width = current->height = 2 * r;
            } else {
                problem(QStringLiteral("neznámý tvar štítku %1").arg(tag));
                skip = true;
            }
            if (!skip && (current->width <= 0 || current->height <= 0)) {
                problem(QStringLiteral("štítek %1 má nulový rozměr").arg(current->name()));
                skip = true;
            }
        } else if (tag == u"Layout") {
            SheetLayout l;
            bool okx = false, oky = false;
            l.nx = a.value(QLatin1String("nx")).toInt(&okx);
            l.ny = a.value(QLatin1String("ny")).toInt(&oky);
            if (!okx || !oky || l.nx < 1 || l.ny < 1 || l.nx > 1000 || l.ny > 1000) {
                problem(QStringLiteral("neplatný počet štítků v rozvržení"));
                skip = true;
                continue;
            }
            if (!length(a, QLatin1String("x0"), &l.x0) || !length(a, QLatin1String("y0"), &l.y0) ||
                !length(a, QLatin1String("dx"), &l.dx, l.nx > 1) ||
                !length(a, QLatin1String("dy"), &l.dy, l.ny > 1)) {
                skip = true;
                continue;
            }
            current->layouts.append(l);
        }
    }
    if (xml.hasError()) {
        messages_ << QStringLiteral("Soubor %1 je poškozený (řádek %2: %3), nebyl načten.")
                         .arg(name)
                         .arg(xml.lineNumber())
                         .arg(xml.errorString());
        return false;
    }
    messages_ << problems;
    for (SheetProduct& p : read) add(std::move(p));
    return true;
}

void SheetCatalogue::add(SheetProduct product) {
    const QString k = key(product.brand, product.part);
    for (SheetProduct& p : products_)
        if (key(p.brand, p.part) == k) {
            p = std::move(product);
            return;
        }
    products_.append(std::move(product));
}

void SheetCatalogue::resolveEquivalents() {
    QHash<QString, int> index;
    for (int i = 0; i < products_.size(); ++i)
        if (products_[i].equivalentOf.isEmpty())
            index.insert(key(products_[i].brand, products_[i].part), i);
    QList<SheetProduct> kept;
    for (const SheetProduct& p : products_) {
        if (p.equivalentOf.isEmpty() || p.width > 0) {
            kept.append(p);
            continue;
        }
        const auto it = index.constFind(key(p.brand, p.equivalentOf));
        if (it == index.constEnd()) {
            messages_ << QStringLiteral("%1: %2 odkazuje na neznámý výrobek %3.")
                             .arg(QFileInfo(p.source).fileName(), p.name(), p.equivalentOf);
            continue;
        }
        SheetProduct copy = products_[*it];
        copy.part = p.part;
        copy.equivalentOf = p.equivalentOf;
        copy.source = p.source;
        if (!p.description.isEmpty()) copy.description = p.description;
        kept.append(copy);
    }
    products_ = kept;
    std::sort(products_.begin(), products_.end(), [](const SheetProduct& a, const SheetProduct& b) {
        const int c = QString::compare(a.brand, b.brand, Qt::CaseInsensitive);
        if (c != 0) return c < 0;
        return QString::compare(a.part, b.part, Qt::CaseInsensitive) < 0;
    });
}

const SheetProduct* SheetCatalogue::find(const QString& brand, const QString& part) const {
    const QString k = key(brand.trimmed(), part.trimmed());
    for (const SheetProduct& p : products_)
        if (key(p.brand, p.part) == k) return &p;
    return nullptr;
}

QList<const SheetProduct*> SheetCatalogue::search(const QString& text) const {
    // A size "70 x 37" (also 70x37, 70×37, 99,1 x 38,1) in millimetres.
    static const QRegularExpression sizePattern(
        QStringLiteral("(\\d+(?:[.,]\\d+)?)\\s*[x×*]\\s*(\\d+(?:[.,]\\d+)?)"));
    QString rest = text;
    double sizeW = -1, sizeH = -1;
    const auto m = sizePattern.match(text);
    if (m.hasMatch()) {
        sizeW = m.captured(1).replace(u',', u'.').toDouble();
        sizeH = m.captured(2).replace(u',', u'.').toDouble();
        rest.remove(m.capturedStart(), m.capturedLength());
    }
    const QStringList words = rest.simplified().split(u' ', Qt::SkipEmptyParts);
    QList<const SheetProduct*> found;
    for (const SheetProduct& p : products_) {
        if (sizeW >= 0) {
            const double w = p.width / kPointsPerMm, h = p.height / kPointsPerMm;
            if (std::abs(w - sizeW) > 0.55 || std::abs(h - sizeH) > 0.55) continue;
        }
        const QString hay = p.brand + u' ' + p.part + u' ' + p.description + u' ' + p.paperName;
        bool all = true;
        for (const QString& w : words)
            if (!hay.contains(w, Qt::CaseInsensitive)) {
                all = false;
                break;
            }
        if (all) found.append(&p);
    }
    return found;
}

}  // namespace dorvana
