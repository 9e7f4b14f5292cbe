#include "indices.h"

#include <libpq-fe.h>

#include <memory>
#include <stdexcept>

#include "datos/esquema.h"
#include "sqlite.h"

namespace bench {

namespace {

void ejecutarPostgres(const std::string& uri, const std::vector<std::string>& sentencias) {
  std::unique_ptr<PGconn, void (*)(PGconn*)> c(PQconnectdb(uri.c_str()), PQfinish);
  for (const std::string& s : sentencias) {
    std::unique_ptr<PGresult, void (*)(PGresult*)> r(PQexec(c.get(), s.c_str()), PQclear);
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
      throw std::runtime_error("PostgreSQL: " + std::string(PQerrorMessage(c.get())));
    }
  }
}

}  // namespace

std::vector<std::string> indicesRecomendados() {
  return {"ctdcomprmm_balance", "ctccomprmm_balance", "ctmcentros_centro"};
}

void agregarIndicesRecomendados(const std::filesystem::path& diario) {
  Conexion c(diario);
  for (const char* s : suite::datos::kIndicesContabilidad) c.ejecutar(s);
}

void agregarIndicesRecomendadosPostgres(const std::string& uri) {
  std::vector<std::string> s(suite::datos::kIndicesContabilidadPostgres.begin(),
                             suite::datos::kIndicesContabilidadPostgres.end());
  for (const char* t : {"ctmcentros", "ctccomprmm", "ctdcomprmm"}) {
    s.push_back(std::string("vacuum analyze ") + t);
  }
  ejecutarPostgres(uri, s);
}

void quitarIndicesRecomendadosPostgres(const std::string& uri) {
  std::vector<std::string> s;
  for (const std::string& n : indicesRecomendados()) s.push_back("drop index if exists " + n);
  ejecutarPostgres(uri, s);
}

}  // namespace bench
