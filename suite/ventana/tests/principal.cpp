#include <gtest/gtest.h>

#include <QApplication>

#include "ventana_balance.h"

// The widget tests need one application object for the whole run.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // headless, also when listing the tests
  QApplication aplicacion(argc, argv);
  QApplication::setStyle(suite::ventana::kEstilo);  // as the host draws the window
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
