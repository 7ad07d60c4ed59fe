#include "report/model/graphic_elements.h"

#include <QDir>
#include <QFileInfo>

namespace dorvana {

int TSesGrafPrvek::lines() const {
    return (Leva ? LineBit::Left : 0) | (Horni ? LineBit::Top : 0) | (Prava ? LineBit::Right : 0) |
           (Spodni ? LineBit::Bottom : 0) | (LsPh ? LineBit::LsPh : 0) | (LhPs ? LineBit::LhPs : 0);
}

void TSesGrafPrvek::setLines(int bits) {
    Leva = bits & LineBit::Left;
    Horni = bits & LineBit::Top;
    Prava = bits & LineBit::Right;
    Spodni = bits & LineBit::Bottom;
    LsPh = bits & LineBit::LsPh;
    LhPs = bits & LineBit::LhPs;
}

void TSesObraz::setFileName(const QString& name, const QString& directory) {
    fileName_ = name;
    Picture = QImage();
    if (name.isEmpty() || directory.isEmpty()) return;
    // Only the file name counts; a directory part in the template is not followed.
    const QString bare = QFileInfo(QString(name).replace(u'\\', u'/')).fileName();
    if (bare.isEmpty()) return;
    const QString path = QDir(directory).filePath(bare);
    if (QFileInfo(path).isFile()) Picture.load(path);
}

}  // namespace dorvana
