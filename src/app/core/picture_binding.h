#pragma once
// The image window's binding to a picture field of the current record: the
// record goes into edit state when the window opens; when it closes a changed
// picture is written and posted if the user wants it, and whatever edit
// remains is cancelled.

#include <QString>

namespace dorvana {

class DataSet;
class PictureDocument;

class Field;

// Whether a field can hold a picture (a graphic or binary blob).
bool isPictureField(const Field& field);

// Puts the record into edit state and loads the field's picture into the
// document. False with a message when the field is no picture field or the
// record cannot be edited (nothing changes then).
bool openPictureField(DataSet& data, const QString& field, PictureDocument& picture,
                      QString* error = nullptr);

// Ends the binding: with `keep` and a changed picture the blob is written and
// the record posted (false with the table's message when it refuses);
// otherwise the edit is cancelled and the record stays as it was.
bool closePictureField(DataSet& data, const QString& field, const PictureDocument& picture,
                       bool keep, QString* error = nullptr);

}  // namespace dorvana
