#pragma once
// The small pictures on the program's buttons, drawn rather than shipped.
#include <QPixmap>
#include <QString>

namespace tallyo::pictures {

QPixmap add();
QPixmap modify();
QPixmap remove();
QPixmap clear();
QPixmap voidMark();
QPixmap notes();
QPixmap check();
QPixmap reconcile();
QPixmap search();
QPixmap summary();
QPixmap print();
QPixmap graph();
QPixmap lists();
QPixmap calculator();
QPixmap calendar();
QPixmap help();
QPixmap back();
QPixmap key();
QPixmap gear();
QPixmap notepad();
QPixmap door();
// A white letter on a blue disc.
QPixmap letter(const QString& letter);

}
