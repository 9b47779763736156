#include <QDir>

#include "app/form1.h"
#include "app/itemfile.h"

// The log as it was at this start goes to "logdata.bak" byte for byte. A missing, unreadable or
// empty log writes nothing, so the last good backup survives a lost "logdata".
void Form1::readCallLog() {
  const QDir dir(env.programDirectory);
  logtext.clear();
  const auto bytes = readWholeFile(dir.filePath(QStringLiteral("logdata")));
  if (!bytes) return;
  if (const auto item = ItemReader(*bytes).next()) logtext = item->text;
  if (!logtext.isEmpty()) writeWholeFile(dir.filePath(QStringLiteral("logdata.bak")), *bytes);
}

void Form1::Text3_Change() { }
void Form1::Text4_Change() { }
