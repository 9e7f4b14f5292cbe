#include <gtest/gtest.h>

#include <QApplication>

// The widget tests need one application object for the whole run.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // headless, also when listing the tests
  QApplication aplicacion(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
