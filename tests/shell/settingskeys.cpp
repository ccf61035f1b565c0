#include "testrunner.h"
#include "platform/platform.h"
#include "shell/appsettings.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(tallyo::SettingKey)

using namespace tallyo;

class SettingsKeys : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    std::unique_ptr<StoredSettings> store_;
    Settings* previous_ = nullptr;

    QString iniFile() const { return folder_.filePath(QStringLiteral("settings.ini")); }

private slots:
    void init()
    {
        QFile::remove(iniFile());
        store_ = std::make_unique<StoredSettings>(iniFile());
        previous_ = platform().settings;
        platform().settings = store_.get();
        ResetDisplayValues();
    }
    void cleanup()
    {
        platform().settings = previous_;
        store_.reset();
        ResetDisplayValues();
    }

    void defaults_data()
    {
        QTest::addColumn<SettingKey>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("DateDisplay") << SettingKey::DateDisplay << "DateDisplay" << "1";
        QTest::newRow("CurrencySymbol") << SettingKey::CurrencySymbol << "CurrencySymbol" << "1";
        QTest::newRow("FlashingButtonStatus") << SettingKey::FlashingButtonStatus << "FlashingButtonStatus" << "1";
        QTest::newRow("QuickStart") << SettingKey::QuickStart << "QuickStart" << "0";
        QTest::newRow("ConfirmQuit") << SettingKey::ConfirmQuit << "ConfirmQuit" << "1";
        QTest::newRow("AmountEntryMethod") << SettingKey::AmountEntryMethod << "AmountEntryMethod" << "0";
        QTest::newRow("New User") << SettingKey::NewUser << "New User" << "";
        QTest::newRow("FormHeight") << SettingKey::FormHeight << "FormHeight" << "";
        QTest::newRow("PasswordReminder") << SettingKey::PasswordReminder << "PasswordReminder" << "True";
        QTest::newRow("MakeNotesAdvice") << SettingKey::MakeNotesAdvice << "MakeNotesAdvice" << "True";
        QTest::newRow("MakeNotesReminder") << SettingKey::MakeNotesReminder << "MakeNotesReminder" << "True";
    }
    void defaults()
    {
        QFETCH(SettingKey, key);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(SettingName(key), name);
        QCOMPARE(SettingText(key), text);
    }

    void nothingStored()
    {
        QCOMPARE(SettingChoice(SettingKey::ConfirmQuit).value_or(-1), 1);
        QVERIFY(SettingFlag(SettingKey::PasswordReminder));
        QVERIFY(!SettingNumber(SettingKey::FormHeight));
        LoadDisplayValues();
        const DisplayValues& shown = SharedDisplayValues();
        QCOMPARE(shown.DateFormat, QStringLiteral("mm/dd/yy"));
        QCOMPARE(shown.CurrencySign, QStringLiteral("$"));
        QCOMPARE(shown.CurrencyUnitName, QStringLiteral("Dollars"));
        QCOMPARE(shown.CurrencySubunitName, QStringLiteral("Cents"));
        QVERIFY(shown.FlashButtons);
        QVERIFY(!shown.QuickStartOn);
        QCOMPARE(shown.ManualHint, QStringLiteral(" Tallyo illustrated manual <F1> "));
        QCOMPARE(shown.DataFileList,
                 QStringList({QStringLiteral("Account.dex"), QStringLiteral("Account.dat"),
                              QStringLiteral("PayCom.lst")}));
    }

    void loading_data()
    {
        QTest::addColumn<QString>("dateDisplay");
        QTest::addColumn<QString>("currencySymbol");
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("subunit");
        QTest::newRow("dd/mm/yy, dollars") << "2" << "1" << "dd/mm/yy" << "$" << "Dollars" << "Cents";
        QTest::newRow("yy/dd/mm, pounds") << "3" << "2" << "yy/dd/mm" << "\u00A3" << "Pounds" << "Pence";
        QTest::newRow("spaces and 2.0 read as numbers") << " 4 " << "2.0" << "yy/mm/dd" << "\u00A3" << "Pounds"
                                                         << "Pence";
        QTest::newRow("just beyond the tables") << "5" << "3" << "" << "" << "" << "";
        QTest::newRow("zero") << "0" << "0" << "" << "" << "" << "";
        QTest::newRow("fractions") << "2.5" << "1.5" << "" << "" << "" << "";
        QTest::newRow("not numbers") << "abc" << "$" << "" << "" << "" << "";
        QTest::newRow("stored empty") << "" << "" << "" << "" << "" << "";
    }
    void loading()
    {
        QFETCH(QString, dateDisplay);
        QFETCH(QString, currencySymbol);
        // Values from before must not survive a load that finds nothing usable.
        ApplyDateDisplay(1);
        ApplyCurrencySymbol(1);
        settings().setValue(QStringLiteral("DateDisplay"), dateDisplay);
        settings().setValue(QStringLiteral("CurrencySymbol"), currencySymbol);
        LoadDisplayValues();
        const DisplayValues& shown = SharedDisplayValues();
        QTEST(shown.DateFormat, "dateFormat");
        QTEST(shown.CurrencySign, "sign");
        QTEST(shown.CurrencyUnitName, "unit");
        QTEST(shown.CurrencySubunitName, "subunit");
    }

    void flags_data()
    {
        QTest::addColumn<QString>("flashing");
        QTest::addColumn<QString>("quickStart");
        QTest::addColumn<bool>("flashButtons");
        QTest::addColumn<bool>("quickStartOn");
        QTest::newRow("off, on") << "0" << "1" << false << true;
        QTest::newRow("only 1 counts") << "2" << "-1" << false << false;
        QTest::newRow("garbage") << "yes" << "True" << false << false;
    }
    void flags()
    {
        QFETCH(QString, flashing);
        QFETCH(QString, quickStart);
        settings().setValue(QStringLiteral("FlashingButtonStatus"), flashing);
        settings().setValue(QStringLiteral("QuickStart"), quickStart);
        LoadDisplayValues();
        QTEST(SharedDisplayValues().FlashButtons, "flashButtons");
        QTEST(SharedDisplayValues().QuickStartOn, "quickStartOn");
    }

    void optionsLeaveValuesOutsideTheTables()
    {
        ApplyDateDisplay(2);
        ApplyCurrencySymbol(2);
        ApplyDateDisplay(0);
        ApplyCurrencySymbol(9);
        QCOMPARE(SharedDisplayValues().DateFormat, QStringLiteral("dd/mm/yy"));
        QCOMPARE(SharedDisplayValues().CurrencyUnitName, QStringLiteral("Pounds"));
    }

    void writesReadBack()
    {
        SetSettingFlag(SettingKey::MakeNotesAdvice, false);
        SetSettingNumber(SettingKey::DateDisplay, 3);
        SetSettingText(SettingKey::NewUser, QStringLiteral("NoShow"));
        // A fresh store on the same file sees exactly the texts written.
        StoredSettings reopened(iniFile());
        QCOMPARE(reopened.value(QStringLiteral("MakeNotesAdvice"), {}), QStringLiteral("False"));
        QCOMPARE(reopened.value(QStringLiteral("DateDisplay"), {}), QStringLiteral("3"));
        QCOMPARE(reopened.value(QStringLiteral("New User"), {}), QStringLiteral("NoShow"));
        QVERIFY(!SettingFlag(SettingKey::MakeNotesAdvice));
        QCOMPARE(SettingChoice(SettingKey::DateDisplay).value_or(-1), 3);
    }

    void flagTexts_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("flag");
        QTest::newRow("False") << "False" << false;
        QTest::newRow("false") << "false" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("minus one") << "-1" << true;
        QTest::newRow("unreadable reads as the default") << "maybe" << true;
    }
    void flagTexts()
    {
        QFETCH(QString, stored);
        settings().setValue(QStringLiteral("PasswordReminder"), stored);
        QTEST(SettingFlag(SettingKey::PasswordReminder), "flag");
    }

    void formHeightReadsAsNumber()
    {
        settings().setValue(QStringLiteral("FormHeight"), QStringLiteral("6450"));
        QCOMPARE(SettingNumber(SettingKey::FormHeight).value_or(-1), 6450.0);
        settings().setValue(QStringLiteral("FormHeight"), QStringLiteral("tall"));
        QVERIFY(!SettingNumber(SettingKey::FormHeight));
    }
};

TALLYO_TEST(SettingsKeys)
#include "settingskeys.moc"
