#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "report/layout/pages/page_dump.h"
#include "report/model/colour_table.h"

using namespace dorvana;

TEST(PageDump, WritesEveryElementWithColourIndexesInFixedKeyOrder) {
    PageStore store;
    store.paper = {826, 1169, 1, 10, 20, 30, 40};
    auto line = std::make_shared<PrintedStyle>();
    line->kind = 7;
    line->lineColour = colourOfIndex(9);
    line->lineWidth = 3;
    line->lineStyle = 2;
    line->fillColour = colourOfIndex(15);
    line->fillStyle = 1;
    line->diagonalLhPs = true;
    line->frame = 2 | 8;
    TPrevPrvek l(line);
    l.X = 1;
    l.Y = 2;
    l.W = 3;
    l.H = 4;
    auto text = std::make_shared<PrintedStyle>();
    text->font = {QStringLiteral("Arial"), 12, colourOfIndex(4), 5, 238};
    text->alignment = 2 | 0x30;
    text->barcodeFormat = QStringLiteral("E13");
    text->screenFont = QStringLiteral("Courier");
    text->rotation = 1;
    TPrevPrvek t(text);
    t.text = QStringLiteral("Cena \"á\"\\\r\n\x01");
    TPrevPrvek m;
    m.memo = true;
    m.lines = {QStringLiteral("řádek 1"), QStringLiteral("😀")};
    store.addElement(0, l);
    store.addElement(0, t);
    store.addElement(2, m);  // page 1 stays empty

    const QByteArray dump = writePageDump(store, true);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(dump, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << dump.toStdString();

    EXPECT_EQ(root[u"pageCount"].toInt(), 3);
    EXPECT_TRUE(root[u"cancelled"].toBool());
    const QJsonObject paper = root[u"paper"].toObject();
    EXPECT_EQ(paper[u"orientation"].toInt(), 1);
    EXPECT_EQ(paper[u"left"].toInt(), 10);
    EXPECT_EQ(paper[u"bottom"].toInt(), 40);
    const QJsonArray pages = root[u"pages"].toArray();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[1].toObject()[u"elements"].toArray().isEmpty());

    const QJsonArray first = pages[0].toObject()[u"elements"].toArray();
    ASSERT_EQ(first.size(), 2);
    const QJsonObject je = first[0].toObject();
    EXPECT_EQ(je[u"kind"].toInt(), 7);
    EXPECT_EQ(je[u"h"].toInt(), 4);
    EXPECT_EQ(je[u"lineColour"].toInt(), 9);
    EXPECT_EQ(je[u"lineWidth"].toInt(), 3);
    EXPECT_EQ(je[u"lineStyle"].toInt(), 2);
    EXPECT_EQ(je[u"fillColour"].toInt(), 15);
    EXPECT_EQ(je[u"fillStyle"].toInt(), 1);
    EXPECT_EQ(je[u"frame"].toArray(), (QJsonArray{false, true, false, true}));
    EXPECT_EQ(je[u"diagonals"].toArray(), (QJsonArray{false, true}));

    const QJsonObject jt = first[1].toObject();
    EXPECT_EQ(jt[u"text"].toString(), t.text);
    EXPECT_EQ(jt[u"align"].toInt(), 0x32);
    EXPECT_EQ(jt[u"barcode"].toString(), QStringLiteral("E13"));
    EXPECT_EQ(jt[u"screenFont"].toString(), QStringLiteral("Courier"));
    EXPECT_EQ(jt[u"rotation"].toInt(), 1);
    const QJsonObject font = jt[u"font"].toObject();
    EXPECT_EQ(font[u"name"].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(font[u"size"].toInt(), 12);
    EXPECT_EQ(font[u"colour"].toInt(), 4);
    EXPECT_EQ(font[u"style"].toInt(), 5);
    EXPECT_EQ(font[u"charset"].toInt(), 238);

    const QJsonObject jm = pages[2].toObject()[u"elements"].toArray()[0].toObject();
    EXPECT_TRUE(jm[u"memo"].toBool());
    EXPECT_EQ(jm[u"lines"].toArray(), (QJsonArray{m.lines[0], m.lines[1]}));
    EXPECT_FALSE(jm[u"hasPicture"].toBool());

    // Keys stand in the documented order, not sorted.
    const QByteArray element = dump.mid(dump.indexOf("{\"kind\""));
    qsizetype at = 0;
    for (const char* key :
         {"kind",      "x",          "y",          "w",         "h",          "text",
          "memo",      "lines",      "font",       "name",      "size",       "colour",
          "style",     "charset",    "align",      "frame",     "screenFont", "barcode",
          "rotation",  "hasPicture", "lineColour", "lineStyle", "lineWidth",  "fillColour",
          "fillStyle", "diagonals"}) {
        const qsizetype next = element.indexOf(QByteArray("\"") + key + "\":", at);
        EXPECT_GT(next, at - 1) << key;
        at = next;
    }
    EXPECT_TRUE(dump.startsWith("{\"pageCount\":3,\"cancelled\":true,\"paper\":{\"width\":826,"));

    // The file form writes the same bytes; a file that cannot be written says so.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dump.json"));
    ASSERT_TRUE(writePageDumpFile(store, path, true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), dump);
    QString message;
    EXPECT_FALSE(
        writePageDumpFile(store, dir.filePath(QStringLiteral("chybi/dump.json")), true, &message));
    EXPECT_FALSE(message.isEmpty());
}
