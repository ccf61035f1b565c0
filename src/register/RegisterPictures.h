#pragma once
// The small pictures on the register's buttons, drawn rather than shipped.
#include <QPixmap>

namespace tallyo::registerpictures {

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

}
