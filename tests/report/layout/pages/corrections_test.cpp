#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/code_page.h"
#include "report/layout/pages/corrections.h"
#include "report/layout/pages/corrections_file.h"
#include "report/layout/pages/preview_edits.h"
#include "report/model/colour_table.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

// A build as the engine makes it: `perPage` text elements on each page, all
// sharing one style, texts "p<page>e<element>".
PageStore build(int pages, int perPage) {
    PageStore store;
    auto style = std::make_shared<PrintedStyle>();
    style->kind = 2;
    style->font = {QStringLiteral("Arial"), 10, colourOfIndex(0), 0, 238};
    for (int p = 0; p < pages; ++p)
        for (int i = 0; i < perPage; ++i) {
            TPrevPrvek e(style);
            e.X = 10 * i;
            e.Y = 20 * i;
            e.W = 100;
            e.H = 20;
            e.text = QStringLiteral("p%1e%2").arg(p).arg(i);
            store.addElement(p, std::move(e));
        }
    return store;
}

TPolEdit textRecord(int page, int element, const QString& text) {
    TPolEdit r;
    r.page = page;
    r.element = element;
    r.X = 5;
    r.Y = 6;
    r.W = 70;
    r.H = 18;
    r.text = text;
    r.alignment = 2;
    r.font = {QStringLiteral("Times New Roman"), 12, colourOfIndex(4), 1, 238};
    return r;
}

}  // namespace

TEST(Corrections, ApplyToTheSameAddressAfterEveryRebuild) {
    TListEdit list;
    list.add(textRecord(2, 5, QStringLiteral("opraveno")));
    list.add(textRecord(7, 0, QStringLiteral("strana, která není")));

    for (int round = 0; round < 2; ++round) {
        PageStore pages = build(3, 8);
        applyCorrections(list, pages);
        ASSERT_EQ(pages.pageCount(), 3);  // the record for page 7 is skipped
        const TPrevPrvek& e = pages.page(2).element(5);
        EXPECT_EQ(e.text, QStringLiteral("opraveno"));
        EXPECT_EQ((QList<int>{e.X, e.Y, e.W, e.H}), (QList<int>{5, 6, 70, 18}));
        EXPECT_EQ(e.alignment(), 2);
        EXPECT_EQ(e.font().name, QStringLiteral("Times New Roman"));
        EXPECT_EQ(e.kind(), 2);  // the element keeps its kind
        EXPECT_EQ(pages.page(2).count(), 8);
        // Its neighbours still share the template element's style untouched.
        EXPECT_EQ(pages.page(2).element(4).font().name, QStringLiteral("Arial"));
        EXPECT_EQ(pages.page(2).element(4).sharedStyle(), pages.page(0).element(0).sharedStyle());
        EXPECT_EQ(pages.page(1).element(5).text, QStringLiteral("p1e5"));
    }
}

TEST(Corrections, DeletedElementStaysDeletedAfterRebuild) {
    PageStore pages = build(1, 4);
    blankElement(pages.page(0).element(1));
    TListEdit list;
    list.record(0, 1, pages.page(0).element(1));

    PageStore rebuilt = build(1, 4);
    applyCorrections(list, rebuilt);
    const TPrevPrvek& e = rebuilt.page(0).element(1);
    EXPECT_EQ((QList<int>{e.X, e.Y, e.W, e.H}), (QList<int>{0, 0, 0, 0}));
    EXPECT_TRUE(e.text.isEmpty());
    EXPECT_EQ(rebuilt.page(0).count(), 4);
    EXPECT_EQ(rebuilt.page(0).element(2).text, QStringLiteral("p0e2"));
    // Nothing else about it changed, so it still shares its style.
    EXPECT_EQ(e.sharedStyle(), rebuilt.page(0).element(0).sharedStyle());
}

TEST(Corrections, InsertedElementsAreRecreatedInOrder) {
    TListEdit list;
    list.add(textRecord(0, 40, QStringLiteral("Nový text")));
    TPolEdit memo = textRecord(0, 41, QString());
    memo.memo = true;
    memo.lines = {QStringLiteral("Nový víceřádkový text")};
    list.add(memo);

    PageStore pages = build(1, 40);
    applyCorrections(list, pages, false);
    ASSERT_EQ(pages.page(0).count(), 42);
    const TPrevPrvek& a = pages.page(0).element(40);
    const TPrevPrvek& b = pages.page(0).element(41);
    EXPECT_EQ(a.kind(), 1);
    EXPECT_EQ(a.text, QStringLiteral("Nový text"));
    EXPECT_FALSE(a.memo);
    EXPECT_EQ(b.kind(), 1);
    EXPECT_TRUE(b.memo);
    EXPECT_EQ(b.lines, memo.lines);
    EXPECT_FALSE(b.style().barcodeByPrinter);

    // Recording the inserted element again changes its record, not a new one.
    pages.page(0).element(40).text = QStringLiteral("změněno");
    list.record(0, 40, pages.page(0).element(40));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0).text, QStringLiteral("změněno"));
}

TEST(Corrections, MemoLinesReplaceOnlyAMemoElement) {
    PageStore pages = build(1, 2);
    pages.page(0).element(0).memo = true;
    pages.page(0).element(0).lines = {QStringLiteral("a")};
    TPolEdit r = textRecord(0, 0, QString());
    r.memo = true;
    r.lines = {QStringLiteral("x"), QStringLiteral("y")};
    TPolEdit onText = r;
    onText.element = 1;
    TListEdit list;
    list.add(r);
    list.add(onText);
    applyCorrections(list, pages);
    EXPECT_EQ(pages.page(0).element(0).lines, r.lines);
    // A single-line element gets the record's (empty) text, not lines.
    EXPECT_FALSE(pages.page(0).element(1).memo);
    EXPECT_TRUE(pages.page(0).element(1).text.isEmpty());
}

TEST(CorrectionsFile, MemoRecordRoundTripsAndUsesCountLine) {
    TListEdit list;
    TPolEdit memo = textRecord(1, 3, QString());
    memo.memo = true;
    memo.lines = {QStringLiteral("první, s čárkou"), QStringLiteral("\"v uvozovkách\""), QString()};
    memo.screenFont = QStringLiteral("Barcode Display Font");
    memo.barcodeFormat = QStringLiteral("E13");
    memo.rotation = 3;
    list.add(textRecord(0, 0, QStringLiteral("Žluťoučký kůň")));
    list.add(memo);

    const QStringList lines = correctionLines(list);
    ASSERT_EQ(lines.size(), 5);  // 1 + (1 + 3)
    EXPECT_EQ(lines[0],
              QStringLiteral("0,0,5,6,70,18,\"Žluťoučký kůň\",2,\"Times New Roman\",12,4,1,238,"
                             "\"\",\"\",0"));
    EXPECT_EQ(lines[1], QStringLiteral("1,3,5,6,70,18,\"@Memo@3\",2,\"Times New Roman\",12,4,1,238,"
                                       "\"Barcode Display Font\",\"E13\",3"));
    EXPECT_EQ(lines[3], QStringLiteral("\"v uvozovkách\""));  // memo lines are taken whole

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("opravy.txt"));
    ASSERT_TRUE(saveCorrections(path, list));
    const QByteArray bytes = test::fileBytes(path);
    EXPECT_TRUE(bytes.startsWith(encode(lines[0], CodePage::Windows1250) + "\r\n"));

    TListEdit back;
    EXPECT_TRUE(loadCorrections(path, &back).isEmpty());
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.at(0), list.at(0));
    EXPECT_EQ(back.at(1), list.at(1));
}

TEST(CorrectionsFile, TextsThatWouldBreakTheLayoutAreMadeSafe) {
    TListEdit list;
    list.add(textRecord(0, 0, QStringLiteral("a \"b\", c\r\nd")));
    TPolEdit memo = textRecord(0, 1, QString());
    memo.memo = true;
    memo.lines = {QStringLiteral("x\r\ny")};
    list.add(memo);
    list.add(textRecord(0, 2, QStringLiteral("@Memo@1")));
    list.add(textRecord(0, 3, QStringLiteral("za")));

    TListEdit back;
    EXPECT_TRUE(readCorrections(correctionLines(list), &back).isEmpty());
    ASSERT_EQ(back.count(), 4);
    EXPECT_FALSE(back.at(2).memo);
    EXPECT_EQ(back.at(2).text, QStringLiteral("@Memo 1"));
    EXPECT_EQ(back.at(3).text, QStringLiteral("za"));
    EXPECT_EQ(back.at(0).text, QStringLiteral("a ”b”, c  d"));
    EXPECT_EQ(back.at(1).lines, (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
}

TEST(CorrectionsFile, MalformedLineStopsReadingAndKeepsEarlierRecords) {
    const QString good = QStringLiteral("0,1,1,2,3,4,\"ok\",0,\"Arial\",10,0,0,238,\"\",\"\",0");
    const QString after =
        QStringLiteral("0,2,1,2,3,4,\"after\",0,\"Arial\",10,0,0,238,\"\",\"\",0");
    struct Case {
        const char* name;
        QString bad;
    } cases[] = {
        {"memo count",
         QStringLiteral("0,5,1,2,3,4,\"@Memo@x\",0,\"Arial\",10,0,0,238,\"\",\"\",0")},
        {"negative memo count",
         QStringLiteral("0,5,1,2,3,4,\"@Memo@-1\",0,\"Arial\",10,0,0,238,\"\",\"\",0")},
        {"colour 16", QStringLiteral("0,5,1,2,3,4,\"t\",0,\"Arial\",10,16,0,238,\"\",\"\",0")},
        {"colour -1", QStringLiteral("0,5,1,2,3,4,\"t\",0,\"Arial\",10,-1,0,238,\"\",\"\",0")},
        {"rotation", QStringLiteral("0,5,1,2,3,4,\"t\",0,\"Arial\",10,0,0,238,\"\",\"\",4")},
        {"page", QStringLiteral("x,5,1,2,3,4,\"t\",0,\"Arial\",10,0,0,238,\"\",\"\",0")},
        {"geometry", QStringLiteral("0,5,1,2,3")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TListEdit list;
        const QString warning = readCorrections({good, c.bad, after}, &list);
        EXPECT_TRUE(warning.contains(QStringLiteral("řádku 2"))) << warning.toStdString();
        ASSERT_EQ(list.count(), 1);
        EXPECT_EQ(list.at(0).text, QStringLiteral("ok"));
    }
}

TEST(CorrectionsFile, LenientReading) {
    TListEdit list;
    // No charset token: the default one; a blank line carries nothing; a
    // later record for the same element replaces the earlier one.
    const QString warning =
        readCorrections({QStringLiteral("1,2,3,4,5,6,\"a\",1,\"Arial\",10,3,2"), QString(),
                         QStringLiteral("0,0,0,0,0,0,\"\",0,\"\",0,0,0,238,\"\",\"\",0"),
                         QStringLiteral("1,2,3,4,5,6,\"b\",1,\"Arial\",10,3,2")},
                        &list, 200);
    EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0).text, QStringLiteral("b"));
    EXPECT_EQ(list.at(0).font.charset, 200);
    EXPECT_EQ(list.at(0).font.colour, colourOfIndex(3));
    EXPECT_EQ(list.at(0).font.style, 2);

    // A memo cut short keeps its lines and says so.
    TListEdit cut;
    EXPECT_FALSE(readCorrections({QStringLiteral("0,0,1,1,1,1,\"@Memo@3\",0,\"A\",8,0,0,238,"
                                                 "\"\",\"\",0"),
                                  QStringLiteral("jediný")},
                                 &cut)
                     .isEmpty());
    ASSERT_EQ(cut.count(), 1);
    EXPECT_EQ(cut.at(0).lines, QStringList{QStringLiteral("jediný")});
}

TEST(CorrectionsFile, MissingFileAndEmptyList) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("opravy.txt"));
    TListEdit list;
    EXPECT_TRUE(loadCorrections(path, &list).isEmpty());
    EXPECT_TRUE(list.isEmpty());

    // With no records nothing is written and an existing file stays.
    ASSERT_TRUE(saveCorrections(path, list));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_TRUE(test::writeBytes(path, "stary obsah\r\n"));
    ASSERT_TRUE(saveCorrections(path, list));
    EXPECT_EQ(test::fileBytes(path), QByteArray("stary obsah\r\n"));

    // A directory where the file should be cannot be read: a warning, no records.
    EXPECT_FALSE(loadCorrections(dir.path(), &list).isEmpty());
    EXPECT_TRUE(list.isEmpty());
}

TEST(PreviewEdits, InsertedElementTakesSizeAndStyleFromTheSelection) {
    InsertDefaults defaults{120,
                            20,
                            {QStringLiteral("Arial"), 10, colourOfIndex(0), 0, 238},
                            QStringLiteral("Courier")};
    auto style = std::make_shared<PrintedStyle>();
    style->kind = 2;
    style->alignment = 1;
    style->font = {QStringLiteral("Times New Roman"), 14, colourOfIndex(9), 1, 238};
    style->barcodeFormat = QStringLiteral("E13");
    style->rotation = 2;
    TPrevPrvek single(style);
    single.W = 200;
    single.H = 30;
    TPrevPrvek memo = single;
    memo.memo = true;
    memo.H = 90;

    const struct {
        const char* name;
        bool multiLine;
        const TPrevPrvek* selected;
        int w, h;
    } cases[] = {
        {"single, nothing selected", false, nullptr, 120, 20},
        {"memo, nothing selected", true, nullptr, 120, 60},
        {"single from single", false, &single, 200, 30},
        {"memo from single", true, &single, 200, 90},
        {"memo from memo", true, &memo, 200, 90},
        {"single from memo", false, &memo, 200, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TPrevPrvek e = makeInsertedElement(c.multiLine, {15, 25}, c.selected, defaults);
        EXPECT_EQ(e.kind(), 1);
        EXPECT_EQ((QList<int>{e.X, e.Y, e.W, e.H}), (QList<int>{15, 25, c.w, c.h}));
        EXPECT_EQ(e.memo, c.multiLine);
        if (c.multiLine)
            EXPECT_EQ(e.lines, QStringList{QStringLiteral("Nový víceřádkový text")});
        else
            EXPECT_EQ(e.text, QStringLiteral("Nový text"));
        if (c.selected) {
            EXPECT_EQ(e.font(), style->font);
            EXPECT_EQ(e.alignment(), 1);
            EXPECT_EQ(e.style().barcodeFormat, QStringLiteral("E13"));
            EXPECT_EQ(e.style().rotation, 2);
        } else {
            EXPECT_EQ(e.font(), defaults.font);
            EXPECT_EQ(e.style().screenFont, QStringLiteral("Courier"));
            EXPECT_EQ(e.alignment(), 0);
        }
    }
}
