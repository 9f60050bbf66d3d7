// korvelin: the desktop window. It takes nothing on its command line; the
// program folder is the folder of the executable.
#include <QApplication>

#include "BusyIndicator.h"
#include "MainWindow.h"

int main(int argc, char** argv) {
  // The web views share their GL context with the window.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvelin"));
  korvelin::TfrmMain window;
  window.showMaximized();
  return QApplication::exec();
}
