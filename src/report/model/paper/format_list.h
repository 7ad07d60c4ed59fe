#pragma once
// TListFormatu (list of paper formats): the seventeen built-in formats at
// indices 0-16, then the user formats kept in the shared settings file, and
// the operations that load, save and search it.

#include <QList>
#include <QString>
#include <QStringList>

#include "report/model/paper/paper_format.h"

namespace dorvana {

inline constexpr int kBuiltInFormatCount = 17;
// More user formats than this are not read from a settings file (a damaged
// count would otherwise fill the list with millions of entries).
inline constexpr int kMaxUserFormats = 1000;
// The value of a stored format key that is missing.
inline constexpr char16_t kMissingUserFormat[] = u"Uživat. (210 x 297 mm),826,1169";
// The name of a format FindFormat appends for a size no format matches.
inline constexpr char16_t kAppendedFormatName[] = u"uživ. formát";

class TListFormatu {
public:
    int count() const { return int(items_.size()); }
    bool isEmpty() const { return items_.isEmpty(); }
    const TFormatPapiru& at(int index) const { return items_.at(index); }
    TFormatPapiru& operator[](int index) { return items_[index]; }
    // The names as the settings dialog lists them.
    QStringList names() const;

    static bool isBuiltIn(int index) { return index >= 0 && index < kBuiltInFormatCount; }
    // Appends a format and returns its index.
    int append(const TFormatPapiru& format);
    // Removes a user format; built-in formats and indices outside the list
    // are refused.
    bool removeAt(int index);
    void clear() { items_.clear(); }

private:
    QList<TFormatPapiru> items_;
};

// The built-in formats, read from their text form.
QList<TFormatPapiru> builtInFormats();

// Fills the list (emptied first): the built-in formats, then the user formats
// of section "FormatyPapiru" of the ini file. A missing file, section or count
// gives no user formats.
void LoadFormats(TListFormatu& list, const QString& iniPath);

// Writes "PocetFormatu" and "Format1" ... "Format<n>" of the user formats into
// the ini file; other keys and sections stay as they are. Returns false with a
// Czech message when the file cannot be read or written (the file then stays
// unchanged).
bool SaveFormats(const TListFormatu& list, const QString& iniPath, QString* error = nullptr);

// Whether a format size f matches a size s within 1 % (f * 0.99 <= s <= f * 1.01).
bool sizeMatches(int formatSize, int size);

// The index of the first format matching both width and height within 1 %;
// when none does, appends "uživ. formát" with exactly that size and returns
// its index.
int FindFormat(TListFormatu& list, int width, int height);

}  // namespace dorvana
