#include <gtest/gtest.h>

#include "model_test_support.h"
#include "report/model/variant_list.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

namespace {
QStringList names(const TListVariant& v) {
    QStringList out;
    for (int i = 0; i < v.count(); ++i) out << v.name(i);
    return out;
}
}  // namespace

TEST(TListVariant, UndoRedoAndCaptions) {
    TListVariant v;
    EXPECT_EQ(names(v), QStringList{u"Základní varianta"_s});
    EXPECT_EQ(v.undoCaption(), u"Zrušit změny"_s);
    EXPECT_EQ(v.redoCaption(), u"Znovu změny"_s);
    v.current() = {u"I,0,\"a\""_s};
    v.add(u"Přesun"_s) = {u"I,0,\"b\""_s};
    v.add(u"Vložení"_s);
    EXPECT_EQ(v.position(), 2);
    EXPECT_EQ(v.undoCaption(), u"Zrušit Vložení"_s);
    v.undo();
    v.undo();
    v.undo();  // nothing more to undo
    EXPECT_EQ(v.position(), 0);
    EXPECT_EQ(v.current(), QStringList{u"I,0,\"a\""_s});
    EXPECT_EQ(v.redoCaption(), u"Znovu Přesun"_s);
    v.redo();
    EXPECT_EQ(v.current(), QStringList{u"I,0,\"b\""_s});
    // A new step drops what could be redone.
    v.add(u"Smazání"_s);
    EXPECT_EQ(names(v), (QStringList{u"Základní varianta"_s, u"Přesun"_s, u"Smazání"_s}));
    EXPECT_FALSE(v.canRedo());
    v.undo();
    v.keepCurrentOnly();
    EXPECT_EQ(names(v), QStringList{u"Přesun"_s});
    EXPECT_EQ(v.position(), 0);
}

TEST(TListVariant, Capacity) {
    TListVariant v;
    v.setCapacity(3);
    for (const QString& n : {u"a"_s, u"b"_s, u"c"_s, u"d"_s}) v.add(n);
    EXPECT_EQ(names(v), (QStringList{u"b"_s, u"c"_s, u"d"_s})) << "a full list drops the oldest";
    EXPECT_EQ(v.position(), 2);
    // Shrinking drops older entries first, then newer ones after the current.
    v.undo();
    v.undo();
    v.setCapacity(2);
    EXPECT_EQ(names(v), (QStringList{u"b"_s, u"c"_s}));
    EXPECT_EQ(v.position(), 0);
    v.redo();
    v.setCapacity(0);
    EXPECT_EQ(v.capacity(), 1);
    EXPECT_EQ(names(v), QStringList{u"c"_s});
    v.add(u"e"_s);
    EXPECT_EQ(names(v), QStringList{u"e"_s});
}
