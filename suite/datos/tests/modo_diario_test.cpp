#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "datos/base_sqlite.h"

namespace suite {
namespace {

namespace fs = std::filesystem;

// The report database is scratch data: a write-ahead log and no sync per commit. The accounting
// database: a write-ahead log with a sync at checkpoints.
TEST(ModoDiario, CadaBaseConSuDiarioYSuSincronizacion) {
  struct Caso {
    Papel papel;
    const char* sincronizacion;  // 0 off, 1 normal
  };
  for (const Caso c : {Caso{Papel::Contabilidad, "1"}, Caso{Papel::Informes, "0"}}) {
    fs::path archivo = fs::temp_directory_path() / ("diario-" + std::to_string(::getpid()));
    fs::remove(archivo);
    BaseSqlite::crear(archivo, c.papel)->executesql("create table t(x)");
    auto base = BaseSqlite::abrir(archivo, c.papel);
    EXPECT_EQ(base->newrecord("pragma journal_mode")->fields("journal_mode").Value.texto(), "wal")
        << nombrePapel(c.papel);
    EXPECT_EQ(base->newrecord("pragma synchronous")->fields("synchronous").Value.texto(),
              c.sincronizacion)
        << nombrePapel(c.papel);
    base.reset();
    for (const char* s : {"", "-wal", "-shm"}) fs::remove(archivo.string() + s);
  }
}

}  // namespace
}  // namespace suite
