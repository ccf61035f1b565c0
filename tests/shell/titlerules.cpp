// The title window's decisions without a window: the published version
// text against the program's own numbers, the timer's pace and quick start,
// and the pulse colours by hover colour.
#include "testrunner.h"

#include "shell/titlepulse.h"
#include "shell/updatecheck.h"

#include <QTest>

using namespace tallyo;

Q_DECLARE_METATYPE(tallyo::TitleTimerRule::Action)
Q_DECLARE_METATYPE(tallyo::PulseRgb)
Q_DECLARE_METATYPE(tallyo::VersionNumbers)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
using Action = TitleTimerRule::Action;
const QDateTime start(QDate(2026, 12, 8), QTime(9, 30, 0, 900));
}

class TitleRulesTest : public QObject {
    Q_OBJECT

private slots:
    void versionTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::newRow("plain") << "06.15.11" << true << 6 << 15 << 11;
        QTest::newRow("line break after") << "06.15.11\r\n" << true << 6 << 15 << 11;
        QTest::newRow("one-digit revision") << "01.00.0" << true << 1 << 0 << 0;
        QTest::newRow("three-digit revision") << "02.03.104" << true << 2 << 3 << 104;
        QTest::newRow("one-digit major") << "6.15.11" << false << 0 << 0 << 0;
        QTest::newRow("no revision") << "06.15." << false << 0 << 0 << 0;
        QTest::newRow("letters") << "ab.cd.ef" << false << 0 << 0 << 0;
        QTest::newRow("sign in a number") << "-1.02.03" << false << 0 << 0 << 0;
        QTest::newRow("web page") << "<html><body>Not found</body></html>" << false << 0 << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0 << 0;
        QTest::newRow("space in front") << " 06.15.11" << false << 0 << 0 << 0;
        QTest::newRow("huge revision") << "01.00.99999999999999" << false << 0 << 0 << 0;
    }
    void versionTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const std::optional<VersionNumbers> parsed = ParseVersionText(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QFETCH(int, major);
            QFETCH(int, minor);
            QFETCH(int, revision);
            QCOMPARE(*parsed, (VersionNumbers{major, minor, revision}));
        }
    }

    void noticeWhenVersionsDiffer_data()
    {
        QTest::addColumn<std::optional<QString>>("fetched");
        QTest::addColumn<VersionNumbers>("local");
        QTest::addColumn<bool>("notice");
        const VersionNumbers v61511{6, 15, 11};
        QTest::newRow("same") << std::optional<QString>("06.15.11") << v61511 << false;
        QTest::newRow("newer published") << std::optional<QString>("06.15.12") << v61511 << true;
        QTest::newRow("older published") << std::optional<QString>("05.99.99") << v61511 << true;
        QTest::newRow("fetch failed") << std::optional<QString>() << v61511 << false;
        QTest::newRow("wrong text") << std::optional<QString>("6.15.11") << v61511 << false;
        // Numbers written one after the other would read these as different
        // (1.0.0 as 100 against 10000) or alike (6.1.51 and 6.15.1 as 6151).
        QTest::newRow("small numbers, same") << std::optional<QString>("01.00.00") << VersionNumbers{1, 0, 0}
                                             << false;
        QTest::newRow("alike when run together") << std::optional<QString>("06.01.51")
                                                 << VersionNumbers{6, 15, 1} << true;
    }
    void noticeWhenVersionsDiffer()
    {
        QFETCH(std::optional<QString>, fetched);
        QFETCH(VersionNumbers, local);
        QFETCH(bool, notice);
        QCOMPARE(UpdateNoticeDue(fetched, local), notice);
    }

    void versionLineAndAddress()
    {
        QCOMPARE(VersionLabelText({6, 15, 11}), QStringLiteral("<i>Pro</i> Version w6.15.11"));
        QCOMPARE(VersionLabelText({1, 0, 0}), QStringLiteral("<i>Pro</i> Version w1.0.0"));
        QVERIFY(VersionCheckUrl().startsWith(QStringLiteral("http://")));
        QVERIFY(VersionCheckUrl().endsWith(QStringLiteral("/VersionCurrent/VersionCurrent-Tallyo.txt")));
        QVERIFY(VersionCheckTimeoutMs <= 2000);
    }

    // Each row: the settings, whether there is an update notice, and the
    // whole seconds after the first tick at which each later tick comes,
    // with the action expected then.
    void timerSteps_data()
    {
        QTest::addColumn<bool>("flash");
        QTest::addColumn<bool>("quick");
        QTest::addColumn<bool>("update");
        QTest::addColumn<int>("firstInterval");
        QTest::addColumn<QList<int>>("seconds");
        QTest::addColumn<QList<Action>>("actions");
        QTest::newRow("no pulse, quick start on: stops at once")
            << false << true << false << 0 << QList<int>{5} << QList<Action>{Action::Stop};
        QTest::newRow("quick start: waits for more than 1.5 seconds")
            << true << true << false << 1200 << QList<int>{0, 1, 2}
            << QList<Action>{Action::Pulse, Action::Pulse, Action::Continue};
        QTest::newRow("quick start with notice: more than 4 seconds")
            << true << true << true << 20 << QList<int>{2, 4, 5}
            << QList<Action>{Action::Pulse, Action::Pulse, Action::Continue};
        QTest::newRow("pulse only: never goes on")
            << true << false << false << 4000 << QList<int>{1, 60, 3600}
            << QList<Action>{Action::Pulse, Action::Pulse, Action::Pulse};
        QTest::newRow("pulse only with notice")
            << true << false << true << 20 << QList<int>{10} << QList<Action>{Action::Pulse};
        QTest::newRow("clock set back: keeps pulsing")
            << true << true << false << 1200 << QList<int>{-30} << QList<Action>{Action::Pulse};
    }
    void timerSteps()
    {
        QFETCH(bool, flash);
        QFETCH(bool, quick);
        QFETCH(bool, update);
        QFETCH(int, firstInterval);
        QFETCH(QList<int>, seconds);
        QFETCH(QList<Action>, actions);

        TitleTimerRule rule(flash, quick);
        if (flash) {
            const TitleTimerRule::Step first = rule.tick(update, start);
            QCOMPARE(first.action, Action::StartPulse);
            QCOMPARE(first.intervalMs, firstInterval);
            QCOMPARE(rule.pulseStart(), start);
        }
        for (int i = 0; i < seconds.size(); ++i) {
            const TitleTimerRule::Step step = rule.tick(update, start.addSecs(seconds[i]));
            QCOMPARE(step.action, actions[i]);
            QCOMPARE(step.intervalMs, actions[i] == Action::Stop ? 0 : TitleTimerRule::PulseIntervalMs);
        }
    }

    void wholeSecondsAreCounted()
    {
        // 1.9 seconds are one whole second: not yet more than 1.5.
        TitleTimerRule rule(true, true);
        rule.tick(false, start);
        QCOMPARE(rule.tick(false, start.addMSecs(1900)).action, Action::Pulse);
        QCOMPARE(rule.tick(false, start.addMSecs(2000)).action, Action::Continue);
    }

    void pulseColoursByHover_data()
    {
        QTest::addColumn<PulseRgb>("hover");
        QTest::addColumn<bool>("pulses");
        QTest::addColumn<PulseRgb>("background");
        QTest::addColumn<PulseRgb>("text");
        // After one tick from the start: text level 4, background 244.
        QTest::newRow("yellow") << PulseYellow << true << PulseRgb{244, 244, 116} << PulseRgb{4, 4, 0};
        QTest::newRow("magenta") << PulseMagenta << true << PulseRgb{244, 116, 244} << PulseRgb{4, 0, 4};
        QTest::newRow("cyan") << PulseCyan << true << PulseRgb{116, 244, 244} << PulseRgb{0, 4, 4};
        QTest::newRow("black (a new button's)") << PulseRgb{0, 0, 0} << false << PulseRgb{} << PulseRgb{};
        QTest::newRow("near yellow") << PulseRgb{255, 255, 127} << false << PulseRgb{} << PulseRgb{};
    }
    void pulseColoursByHover()
    {
        QFETCH(PulseRgb, hover);
        QFETCH(bool, pulses);
        ButtonPulse pulse;
        pulse.tick();
        const std::optional<PulseColours> colours = PulseColoursFor(hover, pulse);
        QCOMPARE(colours.has_value(), pulses);
        if (pulses) {
            QFETCH(PulseRgb, background);
            QFETCH(PulseRgb, text);
            QCOMPARE(colours->background, background);
            QCOMPARE(colours->text, text);
        }
    }

    void pulseColoursStayInRange()
    {
        // A full swing both ways: no level leaves 0..255.
        ButtonPulse pulse;
        for (int i = 0; i < 200; ++i) {
            pulse.tick();
            for (const PulseRgb& hover : {PulseYellow, PulseMagenta, PulseCyan}) {
                const PulseColours c = *PulseColoursFor(hover, pulse);
                for (int level : {c.background.red, c.background.green, c.background.blue, c.text.red,
                                  c.text.green, c.text.blue})
                    QVERIFY2(level >= 0 && level <= 255, qPrintable(QString::number(level)));
            }
        }
    }
};


TALLYO_TEST(TitleRulesTest)
#include "titlerules.moc"
