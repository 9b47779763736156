#include "app/form2.h"

Form2::Form2(const QImage& testPattern) : picture_(testPattern) {}
void Form2::Form_Load() {}
void Form2::Form_Resize() {}
void Form2::buildlookuptable() {}
void Form2::drawrotatedtext(int&) {}
void Form2::runmain() {}
void Form2::paintEvent(QPaintEvent*) {}
void Form2::closeEvent(QCloseEvent*) {}
