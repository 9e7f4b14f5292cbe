#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "plataforma/procesos_posix.h"

namespace suite {
namespace {

namespace fs = std::filesystem;

// The started program finds the files that come with it by relative name: it runs in its own
// folder, not in the host's working folder.
TEST(CarpetaTrabajoTest, ElProgramaCorreEnSuPropiaCarpeta) {
  fs::path carpeta = fs::temp_directory_path() / ("carpeta_trabajo_" + std::to_string(getpid()));
  fs::remove_all(carpeta);
  fs::create_directories(carpeta);
  fs::path programa = carpeta / "RENDIDOR";
  std::ofstream(programa) << "#!/bin/sh\npwd -P > donde.tmp && mv donde.tmp donde\n";
  fs::permissions(programa, fs::perms::owner_all);

  ProcesosPosix().Shell(programa.string(), 1);
  fs::path donde = carpeta / "donde";
  for (int i = 0; i < 1000 && !fs::exists(donde); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::string leido;
  std::getline(std::ifstream(donde), leido);
  EXPECT_EQ(leido, fs::canonical(carpeta).string());
  fs::remove_all(carpeta);
}

}  // namespace
}  // namespace suite
