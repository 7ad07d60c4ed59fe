#pragma once
// The catalogue of label sheet products: sheets of self-adhesive labels known
// by brand and part number ("Avery L7160"), each with its paper size, label
// shape and size and the grid the labels sit in. It is read from the label
// template files the glabels-data package installs, from the user's own files
// in the same format ($XDG_DATA_HOME/dorvana/sheets/*.xml) and from a small
// built-in list, so that the common sheets are there without the package.
// Lengths are kept in points (1/72 in), as the files reckon.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace dorvana {

inline constexpr double kPointsPerMm = 72.0 / 25.4;
inline constexpr qint64 kMaxSheetFileSize = 4 * 1024 * 1024;  // larger files are not read

enum class SheetShape { Rectangle, Round, Ellipse, Cd };

// One grid of labels: nx columns and ny rows, the first label's top left
// corner at (x0, y0) of the upright sheet, the next ones dx and dy further.
struct SheetLayout {
    int nx = 1, ny = 1;
    double x0 = 0, y0 = 0, dx = 0, dy = 0;
};

struct SheetProduct {
    QString brand;
    QString part;
    QString description;
    QString paperName;                       // "A4", "US-Letter", "Other" …
    double paperWidth = 0, paperHeight = 0;  // upright sheet
    SheetShape shape = SheetShape::Rectangle;
    double width = 0, height = 0;  // the label; a round label's diameter
    double radius = 0;             // corner radius of a rectangle
    QList<SheetLayout> layouts;
    QString equivalentOf;  // the part whose geometry this one shares, if any
    QString source;        // the file it was read from; empty when built in

    // Only rectangular labels (with or without round corners) can be placed
    // by a template page; round, oval and CD labels are listed all the same.
    bool placeable() const { return shape == SheetShape::Rectangle; }
    int labelCount() const;
    // "Avery L7160".
    QString name() const { return brand + u' ' + part; }
    // "A4, 3 × 7 štítků 63,5 × 38,1 mm" and the like.
    QString geometryText() const;
};

// A length as the files write it: a number with an optional unit pt, in, mm
// or cm (no unit: points). False for anything else.
bool parseSheetLength(QStringView text, double* points);

class SheetCatalogue {
public:
    // The built-in list, the package's files (when installed), then the
    // user's files; a later product of the same brand and part replaces an
    // earlier one.
    static SheetCatalogue standard();
    // Where the package installs its files and where the user's files are.
    static QString systemFolder();
    static QString userFolder();

    void addBuiltIns();
    // Reads every *-templates.xml (and any *.xml the user keeps) of a folder;
    // a missing folder is no error.
    void readFolder(const QString& folder, bool userFiles = false);
    // Reads one file. A file that cannot be read, is too large, declares a
    // document type (entities) or is not well formed adds a message and
    // leaves what was read from other files; a product with missing or
    // wrong attributes is left out with a message naming its line.
    bool readFile(const QString& path);
    bool readXml(const QByteArray& xml, const QString& source);
    // Gives the products that copy another one ("equiv") their geometry;
    // one whose original is unknown is dropped with a message.
    void resolveEquivalents();

    const QList<SheetProduct>& products() const { return products_; }
    // Problems met while reading, one line each, in Czech.
    const QStringList& messages() const { return messages_; }

    // Products whose brand, part number, description or label size match
    // every word of the text ("avery 7160", "70 x 37", "99,1x38,1"), in
    // brand and part order. Empty text lists everything.
    QList<const SheetProduct*> search(const QString& text) const;
    // The product of that brand and part (compared without regard to case).
    const SheetProduct* find(const QString& brand, const QString& part) const;

private:
    void add(SheetProduct product);
    bool paperSize(const QString& id, double* width, double* height) const;
    void readPaperSizes(const QString& path);

    QList<SheetProduct> products_;
    QStringList messages_;
    struct Paper {
        QString id;
        double width, height;
    };
    QList<Paper> papers_;
};

}  // namespace dorvana
