#include <gtest/gtest.h>

#include <QGuiApplication>

// The painter measures text, which needs a GUI application; the tests run it offscreen.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication aplicacion(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
