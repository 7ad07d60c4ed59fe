#include "app/core/picture_binding.h"

#include "app/core/picture_document.h"
#include "data/data_set.h"

namespace dorvana {

bool isPictureField(const Field& f) {
    return f.dataType() == FieldType::Graphic || f.dataType() == FieldType::Blob;
}

bool openPictureField(DataSet& data, const QString& field, PictureDocument& picture,
                      QString* error) {
    Field* f = data.findField(field);
    if (!f || !isPictureField(*f)) {
        if (error) *error = QStringLiteral("Pole %1 není pole s obrázkem.").arg(field);
        return false;
    }
    QString why;
    // A picture the imaging code cannot read shows as none; the field keeps it.
    picture.loadBlob(f->blob(), &why);
    if (data.state() == DataSet::State::Browse && !data.edit(error)) return false;
    return true;
}

bool closePictureField(DataSet& data, const QString& field, const PictureDocument& picture,
                       bool keep, QString* error) {
    if (data.state() == DataSet::State::Browse) return true;
    if (keep && picture.isModified()) {
        Field* f = data.findField(field);
        if (!f || !f->setBlob(picture.toBlob(), error) || !data.post(error)) {
            data.cancel();
            return false;
        }
        return true;
    }
    data.cancel();
    return true;
}

}  // namespace dorvana
