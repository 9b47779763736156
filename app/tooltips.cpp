#include "app/form1.h"

void Form1::tooltipsoff_Click() {
  tipsoffflag = 1;
  tooltipson->setChecked(false);
  tooltipsoff->setChecked(true);
  for (int k = 1; k <= 91; ++k) tooltipControl(k)->setToolTip(QString());
}

void Form1::tooltipson_Click() {
  tipsoffflag = 0;
  tooltipson->setChecked(true);
  tooltipsoff->setChecked(false);
  for (int k = 1; k <= 91; ++k) tooltipControl(k)->setToolTip(tooltiptexts[k]);
}

QWidget* Form1::tooltipControl(int k) const {
  // The order is fixed: tooltiptexts keeps each control's tip at the same number.
  QWidget* const controls[] = {
      nullptr,    File1,      Image2,     Image3,     Image4,     Image5,     Image7,     Text1,
      Text5,      Text6,      Command1,   Command2,   Command3,   Command6,   Command8,   Command9,
      Command10,  Command12,  Command21,  Command23,  Command24,  Command25,  Label43,    Label24,
      Label35,    Label34,    Check13,    Check14,    palette[1], palette[2], palette[3], palette[4],
      palette[5], palette[6], palette[7], palette[8], palette[9], palette[10], palette[11], palette[12],
      Label26,    Text2,      Text3,      Text4,      Option8,    Option1,    Option7,    Check15,
      Check17,    Option2,    Option3,    Option4,    Option5,    Check16,    Check18,    Command13,
      Text7,      Check19,    Option6,    Label53,    Command14,  Command15,  Command16,  Command17,
      Command18,  Command19,  Label30,    Command28,  Command29,  Command20,  Label29,    Label31,
      Label32,    Command31,  Label47,    Text8,      Text13,     Label54,    Picture1,   Command35,
      Command37,  Label73,    Combo3,     Text14,     Label48,    Label28,    Label37,    Check6,
      Command44,  Command46,  Label38,    Label14};
  static_assert(std::size(controls) == 92);
  return k >= 1 && k <= 91 ? controls[k] : nullptr;
}
