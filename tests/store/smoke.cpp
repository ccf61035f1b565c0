#include "testrunner.h"
#include <QTest>
class StoreSmoke : public QObject { Q_OBJECT private slots: void runs() { QVERIFY(true); } };
TALLYO_TEST(StoreSmoke)
#include "smoke.moc"
