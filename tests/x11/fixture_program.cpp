// A program for the X11 tests: one window of a known colour and size, titled with the given token,
// and in "modal" mode a modal dialog over it. It ends when its window is closed.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const QString mode = arguments.value(1);
  QWidget window;
  window.setWindowTitle("Tarnwick fixture " + arguments.value(2));
  window.setFixedSize(300, 200);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(18, 196, 86));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.show();
  if (mode == "modal") {
    QTimer::singleShot(100, &window, [&window] {
      QDialog dialog(&window);
      dialog.setWindowTitle("Fixture waits");
      dialog.setModal(true);
      dialog.exec();
    });
  }
  return QApplication::exec();
}
