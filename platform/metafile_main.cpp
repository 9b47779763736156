// marvane-metafile: draws one WMF or EMF for the picture reader, in a process of its own that the
// reader can limit and stop.
#include <QGuiApplication>

#include "platform/picturefile.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // fonts for the SVG's text, no window
  QGuiApplication application(argc, argv);
  return drawMetafileOnStandardStreams();
}
