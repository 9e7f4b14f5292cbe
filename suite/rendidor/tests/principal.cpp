#include <gtest/gtest.h>

#include <QGuiApplication>

// The painter measures text, which needs a GUI application; the tests run it offscreen. The
// RENDIDOR they start must not open a viewer for each PDF, so they run as without a desktop.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv("DISPLAY");
  qunsetenv("WAYLAND_DISPLAY");
  QGuiApplication aplicacion(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
