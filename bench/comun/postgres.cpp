#include "postgres.h"

#include <libpq-fe.h>

#include <memory>
#include <stdexcept>

#include "balance/calculo.h"
#include "datos/base_postgres.h"
#include "datos/dialecto_jet.h"
#include "datos/esquema.h"
#include "fases.h"
#include "sqlite.h"

namespace bench {

namespace {

struct Cerrar {
  void operator()(PGconn* c) const { PQfinish(c); }
};
using Servidor = std::unique_ptr<PGconn, Cerrar>;

Servidor conectar(const std::string& uri) {
  Servidor c(PQconnectdb(uri.c_str()));
  if (PQstatus(c.get()) != CONNECTION_OK) {
    throw std::runtime_error("PostgreSQL: " + std::string(PQerrorMessage(c.get())));
  }
  return c;
}

// Runs a statement and gives its result; raises with the server's message when it fails.
std::shared_ptr<PGresult> ejecutar(PGconn* c, const std::string& sql) {
  std::shared_ptr<PGresult> r(PQexec(c, sql.c_str()), PQclear);
  auto estado = PQresultStatus(r.get());
  if (estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK && estado != PGRES_COPY_IN) {
    throw std::runtime_error(PQerrorMessage(c) + std::string(" en: ") + sql.substr(0, 200));
  }
  return r;
}

// A value in COPY's text form: \N for null, and the characters COPY reads specially escaped.
void agregarCampo(std::string& fila, const Sentencia& st, int col, bool nulo) {
  if (nulo) {
    fila += "\\N";
    return;
  }
  for (char ch : st.texto(col)) {
    if (ch == '\\' || ch == '\t' || ch == '\n' || ch == '\r') {
      fila += '\\';
      fila += ch == '\t' ? 't' : ch == '\n' ? 'n' : ch == '\r' ? 'r' : '\\';
    } else {
      fila += ch;
    }
  }
}

// Copies every row of an SQLite table into the table of the same name on the server.
void copiar(Conexion& origen, PGconn* destino, const std::string& tabla) {
  Sentencia st(origen, "select * from " + tabla);
  ejecutar(destino, "COPY " + tabla + " FROM STDIN");
  std::string bloque;
  auto enviar = [&] {
    if (PQputCopyData(destino, bloque.data(), static_cast<int>(bloque.size())) != 1) {
      throw std::runtime_error(PQerrorMessage(destino));
    }
    bloque.clear();
  };
  while (st.paso()) {
    for (int col = 0; col < st.columnas(); ++col) {
      if (col > 0) bloque += '\t';
      agregarCampo(bloque, st, col, st.nulo(col));
    }
    bloque += '\n';
    if (bloque.size() > (1 << 20)) enviar();
  }
  enviar();
  if (PQputCopyEnd(destino, nullptr) != 1) throw std::runtime_error(PQerrorMessage(destino));
  std::shared_ptr<PGresult> fin(PQgetResult(destino), PQclear);
  if (PQresultStatus(fin.get()) != PGRES_COMMAND_OK) {
    throw std::runtime_error("COPY " + tabla + ": " + PQerrorMessage(destino));
  }
  while (PGresult* r = PQgetResult(destino)) PQclear(r);
}

}  // namespace

std::string uriEsquema(const std::string& uri, const std::string& esquema) {
  if (uri.starts_with("postgresql://") || uri.starts_with("postgres://")) {
    return uri + (uri.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" +
           esquema;
  }
  return uri + " options='-csearch_path=" + esquema + "'";
}

std::string esquemaDe(const std::filesystem::path& diario) {
  std::string r;
  for (char ch : diario.stem().string())
    r += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return r;
}

bool cargarEnPostgres(const std::filesystem::path& diario, const std::string& uri, bool rehacer) {
  Servidor c = conectar(uri);
  const std::string esquema = esquemaDe(diario);
  if (rehacer) ejecutar(c.get(), "drop schema if exists " + esquema + " cascade");
  auto hay = ejecutar(c.get(), "select 1 from pg_namespace where nspname = '" + esquema + "'");
  if (PQntuples(hay.get()) > 0) return false;

  Conexion origen(diario, true);
  ejecutar(c.get(), "begin");
  ejecutar(c.get(), "create schema " + esquema);
  ejecutar(c.get(), "set local search_path = " + esquema);
  for (const char* t : suite::datos::kTablasContabilidadPostgres) ejecutar(c.get(), t);
  for (const char* tabla : {"ctmcentros", "admempresa", "contador", "ctccomprmm", "ctdcomprmm"}) {
    copiar(origen, c.get(), tabla);
  }
  // The ordinary indexes, as on the SQLite journal, built once the rows are in.
  for (const char* i : suite::datos::kIndicesOrdinarios) ejecutar(c.get(), i);
  ejecutar(c.get(), "commit");
  for (const char* tabla : {"ctmcentros", "ctccomprmm", "ctdcomprmm"}) {
    ejecutar(c.get(), "vacuum analyze " + esquema + "." + tabla);
  }
  return true;
}

std::string sentenciasSolasPostgres(const std::string& uri, const prjsumsal::Consulta& c) {
  Servidor con = conectar(uri);
  long filas = 0;
  for (const std::string& s : {prjsumsal::sentenciaPeriodo(c),
                               prjsumsal::sentenciaAcumulado(c, prjsumsal::Uso::Informe)}) {
    auto r = ejecutar(con.get(), suite::datos::traducirJet(s, suite::datos::Motor::Postgres));
    for (int f = 0; f < PQntuples(r.get()); ++f, ++filas) {
      for (int col = 0; col < 3; ++col) PQgetvalue(r.get(), f, col);
    }
  }
  return std::to_string(filas);
}

std::string sentenciasALaParPostgres(const std::string& uri, const prjsumsal::Consulta& c) {
  Servidor a = conectar(uri), b = conectar(uri);
  long filas = 0;
  const std::string sentencias[] = {prjsumsal::sentenciaPeriodo(c),
                                    prjsumsal::sentenciaAcumulado(c, prjsumsal::Uso::Informe)};
  PGconn* conexiones[] = {a.get(), b.get()};
  for (int i = 0; i < 2; ++i) {
    std::string sql = suite::datos::traducirJet(sentencias[i], suite::datos::Motor::Postgres);
    if (PQsendQuery(conexiones[i], sql.c_str()) != 1) {
      throw std::runtime_error(PQerrorMessage(conexiones[i]));
    }
  }
  for (PGconn* con : conexiones) {
    while (PGresult* r = PQgetResult(con)) {
      std::shared_ptr<PGresult> res(r, PQclear);
      if (PQresultStatus(r) != PGRES_TUPLES_OK) throw std::runtime_error(PQerrorMessage(con));
      for (int f = 0; f < PQntuples(r); ++f, ++filas) {
        for (int col = 0; col < 3; ++col) PQgetvalue(r, f, col);
      }
    }
  }
  return std::to_string(filas);
}

std::string calculoModuloPostgres(const std::string& uri, const prjsumsal::Consulta& c,
                                  bool detalle) {
  auto db = suite::datos::BasePostgres::conectar(uri, suite::datos::Papel::Contabilidad);
  return calculoEn(*db, c, detalle);
}

}  // namespace bench
