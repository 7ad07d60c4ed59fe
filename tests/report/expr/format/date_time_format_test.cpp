#include <QDate>
#include <QTime>
#include <cmath>

#include "format_test_locale.h"
#include "report/expr/format/date_time_format.h"
#include "report/expr/format/text_case.h"

using namespace dorvana;

namespace {

class DateTimeFormatTest : public dorvana::test::FormatLocaleTest {
protected:
    // Thursday 10 December 2026, 14:05:09.
    const double thursday = daysOf(QDate(2026, 12, 10), QTime(14, 5, 9));
};

TEST_F(DateTimeFormatTest, DaysCountFromTheEpoch) {
    EXPECT_EQ(daysOf(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(daysOf(QDate(1900, 1, 1), QTime(6, 0)), 2.25);
    EXPECT_EQ(daysOf(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
    QDate date;
    QTime time;
    ASSERT_TRUE(splitDays(-1.25, &date, &time));
    EXPECT_EQ(date, QDate(1899, 12, 29));
    EXPECT_EQ(time, QTime(6, 0));
    // A fraction that rounds to a whole day moves on to the next midnight.
    ASSERT_TRUE(splitDays(1.0 - 1e-10, &date, &time));
    EXPECT_EQ(date, QDate(1899, 12, 31));
    EXPECT_EQ(time, QTime(0, 0));
    EXPECT_FALSE(splitDays(std::nan(""), &date, &time));
    EXPECT_FALSE(splitDays(daysOf(QDate(9999, 12, 31)) + 1, &date, &time));
    EXPECT_FALSE(splitDays(-1e9, &date, &time));
}

TEST_F(DateTimeFormatTest, Patterns) {
    struct Case {
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {"hh:nn:ss dddd dd mmmm yyyy", "14:05:09 čtvrtek 10 prosince 2026"},
        {"mmmm yyyy", "prosinec 2026"},
        {"d. mmmm", "10. prosince"},
        {"ddd mmm", "čt pro"},
        {"d.m.yy", "10.12.26"},
        {"dd/mm/yyyy", "10.12.2026"},
        {"DD.MM.YYYY", "10.12.2026"},
        {"h:n:s", "14:5:9"},
        {"hh:nn am/pm", "02:05 pm"},
        {"h AM/PM", "2 PM"},
        {"h a/p", "2 p"},
        {"\"den\" d 'mmmm'", "den 10 mmmm"},
        {"yyyymmdd", "20261210"},
        {"y", "26"},
        {"c x", "c x"},
        {"\"open", "open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        bool ok = false;
        EXPECT_EQ(formatDateTime(QString::fromUtf8(c.pattern), thursday, &ok),
                  QString::fromUtf8(c.text));
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(formatDateTime(u"hh:nn am/pm", daysOf(QDate(2026, 1, 5), QTime(0, 30))),
              QStringLiteral("12:30 am"));
    EXPECT_EQ(formatDateTime(u"d. m. yyyy", daysOf(QDate(5, 3, 1))), QStringLiteral("1. 3. 0005"));
}

TEST_F(DateTimeFormatTest, OutOfRangeIsReported) {
    bool ok = true;
    EXPECT_EQ(formatDateTime(u"dd.mm.yyyy", 1e12, &ok), QString());
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(dateTimeText(std::nan(""), &ok), QString());
    EXPECT_FALSE(ok);
}

TEST_F(DateTimeFormatTest, SystemForms) {
    EXPECT_EQ(shortDateText(thursday), QStringLiteral("10.12.2026"));
    EXPECT_EQ(longTimeText(thursday), QStringLiteral("14:05:09"));
    EXPECT_EQ(dateTimeText(thursday), QStringLiteral("10.12.2026 14:05:09"));
    EXPECT_EQ(dateTimeText(daysOf(QDate(2026, 12, 10))), QStringLiteral("10.12.2026"));
    EXPECT_EQ(formatDateTime(u"", thursday), QStringLiteral("10.12.2026 14:05:09"));
    useEnglish();
    EXPECT_EQ(dateTimeText(thursday), QStringLiteral("12/10/2026 2:05:09 PM"));
    EXPECT_EQ(formatDateTime(u"dddd, mmmm d", thursday), QStringLiteral("Thursday, December 10"));
}

TEST_F(DateTimeFormatTest, ReadsDates) {
    const int year = QDate::currentDate().year();
    struct Case {
        const char* text;
        QDate date;  // invalid: the text is refused
    };
    const Case cases[] = {
        {"10.12.2026", QDate(2026, 12, 10)},
        {"1.2.24", QDate(2024, 2, 1)},
        {" 10. 12. 2026 ", QDate(2026, 12, 10)},
        {"10.12.", QDate(year, 12, 10)},
        {"10.12", QDate(year, 12, 10)},
        {"10/12/2026", QDate(2026, 12, 10)},
        {"2026-12-10", QDate(2026, 12, 10)},
        {"29.2.2024", QDate(2024, 2, 29)},
        {"29.2.2023", QDate()},
        {"31.4.2026", QDate()},
        {"10.13.2026", QDate()},
        {"0.1.2026", QDate()},
        {"10", QDate()},
        {"10.12-2026", QDate()},
        {"10.12.2026x", QDate()},
        {"10.12.20260", QDate()},
        {"10.12.2026 14:00", QDate()},
        {"abc", QDate()},
        {"", QDate()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double days = -1;
        EXPECT_EQ(parseDate(QString::fromUtf8(c.text), &days), c.date.isValid());
        if (c.date.isValid()) {
            EXPECT_EQ(days, daysOf(c.date));
        }
    }
    useEnglish();
    double days = 0;
    ASSERT_TRUE(parseDate(u"12/10/2026", &days));
    EXPECT_EQ(days, daysOf(QDate(2026, 12, 10)));
}

TEST_F(DateTimeFormatTest, ReadsDateTimes) {
    struct Case {
        const char* text;
        bool ok;
        QDate date;
        QTime time;
    };
    const QDate epoch(1899, 12, 30);
    const Case cases[] = {
        {"10.12.2026 14:30", true, QDate(2026, 12, 10), QTime(14, 30)},
        {"10.12.2026  14:30:15", true, QDate(2026, 12, 10), QTime(14, 30, 15)},
        {"10.12.2026 14:30:15,5", true, QDate(2026, 12, 10), QTime(14, 30, 15, 500)},
        {"10.12.2026", true, QDate(2026, 12, 10), QTime(0, 0)},
        {"10. 12. 14:30", true, QDate(QDate::currentDate().year(), 12, 10), QTime(14, 30)},
        {"14:30", true, epoch, QTime(14, 30)},
        {"2:30 PM", true, epoch, QTime(14, 30)},
        {"12:00 am", true, epoch, QTime(0, 0)},
        {"10.12.2026 25:00", false, {}, {}},
        {"10.12.2026 14:60", false, {}, {}},
        {"10.12.2026 14", false, {}, {}},
        {"10.12.2026 13:00 PM", false, {}, {}},
        {"10.12.2026 14:30 x", false, {}, {}},
        {"14:", false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double days = -1;
        EXPECT_EQ(parseDateTime(QString::fromUtf8(c.text), &days), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(days, daysOf(c.date, c.time));
        }
    }
    // Before the epoch the time still counts forward from midnight.
    double days = 0;
    ASSERT_TRUE(parseDateTime(u"29.12.1899 6:00", &days));
    EXPECT_EQ(days, -1.25);
}

TEST_F(DateTimeFormatTest, GeneralTextReadsBack) {
    for (const QDateTime& when : {QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)),
                                  QDateTime(QDate(1999, 1, 1), QTime(0, 0)),
                                  QDateTime(QDate(1850, 6, 30), QTime(23, 59, 59))}) {
        const double days = daysOf(when.date(), when.time());
        double back = 0;
        ASSERT_TRUE(parseDateTime(dateTimeText(days), &back)) << dateTimeText(days).toStdString();
        EXPECT_DOUBLE_EQ(back, days);
        ASSERT_TRUE(parseDate(shortDateText(days), &back));
        EXPECT_EQ(back, daysOf(when.date()));
    }
}

TEST_F(DateTimeFormatTest, CaseOfCzechLetters) {
    EXPECT_EQ(upperText(QStringLiteral("žluťoučký kůň úpěl ďábelské ódy")),
              QStringLiteral("ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"));
    EXPECT_EQ(lowerText(QStringLiteral("ŘEŘICHA Ě Š Č Ř Ž Ý Á Í É 1+A")),
              QStringLiteral("řeřicha ě š č ř ž ý á í é 1+a"));
}

}  // namespace

namespace {

TEST_F(DateTimeFormatTest, QDateTimeForms) {
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 5, 9));
    EXPECT_EQ(formatDateTime(u"d.m.yyyy hh:nn", when), QStringLiteral("10.12.2026 14:05"));
    EXPECT_EQ(dateTimeText(when), QStringLiteral("10.12.2026 14:05:09"));
    bool ok = true;
    EXPECT_EQ(dateTimeText(QDateTime(), &ok), QString());
    EXPECT_FALSE(ok);
    QDateTime back;
    ASSERT_TRUE(parseDateTime(u"10.12.2026 14:05:09", &back));
    EXPECT_EQ(back, when);
    ASSERT_TRUE(parseDate(u"10.12.2026", &back));
    EXPECT_EQ(back, QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
    EXPECT_FALSE(parseDate(u"32.12.2026", &back));
}

}  // namespace
