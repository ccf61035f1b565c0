// Stored dates are calendar days: in a zone whose summer time starts at
// midnight, the local midnight of that day does not exist, and a date that
// went through local time would come out empty or as not-a-number.
#include "testrunner.h"
#include "util/dates.h"

#include <QTest>
#include <cmath>
#include <ctime>

using namespace tallyo;

namespace {

// Sets the process's time zone for one test and puts the old one back.
class ZoneScope {
public:
    explicit ZoneScope(const QByteArray& zone) : saved_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope()
    {
        if (had_)
            qputenv("TZ", saved_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray saved_;
    bool had_;
};

}

class DateZones : public QObject {
    Q_OBJECT
private slots:
    void changeOverDays_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QTime>("time");
        const QTime midnight(0, 0), halfPast(0, 30);
        QTest::newRow("Santiago 00:00") << QByteArray("America/Santiago") << QDate(2026, 9, 6) << 46271.0 << midnight;
        QTest::newRow("Santiago 00:30") << QByteArray("America/Santiago") << QDate(2026, 9, 6) << 46271.0 << halfPast;
        QTest::newRow("Sao Paulo 00:00") << QByteArray("America/Sao_Paulo") << QDate(2018, 11, 4) << 43408.0 << midnight;
        QTest::newRow("Sao Paulo 00:30") << QByteArray("America/Sao_Paulo") << QDate(2018, 11, 4) << 43408.0 << halfPast;
    }
    void changeOverDays()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        QFETCH(double, stored);
        QFETCH(QTime, time);
        const ZoneScope scope(zone);
        // The zone really is one where this time of that day does not exist.
        QVERIFY(!QDateTime(day, time).isValid() || QDateTime(day, time).time() != time);

        const double at = stored + time.msecsSinceStartOfDay() / 1000 / 86400.0;
        QCOMPARE(StoredFromDate(day), stored);
        QCOMPARE(StoredFromDateTime(QDateTime(day, time, Qt::UTC)), at);
        QCOMPARE(DateFromStored(at), day);
        QCOMPARE(DateTimeFromStored(at).date(), day);
        QCOMPARE(DateTimeFromStored(at).time(), time);
        QCOMPARE(FormatShortDate(at, u"mm/dd/yy"), day.toString(u"MM/dd/yy"));
        QCOMPARE(FormatShortDate(DateTimeFromStored(at), u"dd/mm/yy"), day.toString(u"dd/MM/yy"));
        QCOMPARE(FormatDate(at, u"yyyy-mm-dd hh:nn"), day.toString(u"yyyy-MM-dd ") + time.toString(u"hh:mm"));
        QCOMPARE(FormatStamp(at), day.toString(u"yyyyMMdd") + time.toString(u"hhmmss"));
        QCOMPARE(FormatDayKey(at), day.toString(u"yyyyMMdd"));
        QCOMPARE(WeekdayName(DateFromStored(at)), QStringLiteral("Sunday"));
        QCOMPARE(ReadDate(day.toString(u"MM/dd/yyyy"), u"mm/dd/yy"), day);
        // The day before and after still one day apart.
        QCOMPARE(FormatDayKey(stored - 1), day.addDays(-1).toString(u"yyyyMMdd"));
        QCOMPARE(FormatDayKey(stored + 1), day.addDays(1).toString(u"yyyyMMdd"));
    }
};

TALLYO_TEST(DateZones)
#include "datezones.moc"
