#include "demo/demo_postgres.h"

#include <libpq-fe.h>

#include <initializer_list>
#include <memory>

#include "datos/esquema.h"
#include "demo/demo.h"
#include "demo/movimientos_demo.h"
#include "demo/plan_demo.h"
#include "host/error.h"

namespace suite::demo {

namespace {

struct Cerrar {
  void operator()(PGconn* c) const { PQfinish(c); }
};

[[noreturn]] void fallar(PGconn* c) {
  std::string m = PQerrorMessage(c);
  while (!m.empty() && (m.back() == '\n' || m.back() == ' ')) m.pop_back();
  throw prjsumsal::Error("No se pudo crear la empresa de demostración: " + m);
}

void ejecutar(PGconn* c, const std::string& sql) {
  std::unique_ptr<PGresult, decltype(&PQclear)> r(PQexec(c, sql.c_str()), PQclear);
  auto e = PQresultStatus(r.get());
  if (e != PGRES_COMMAND_OK && e != PGRES_TUPLES_OK && e != PGRES_COPY_IN) fallar(c);
}

bool existe(PGconn* c, const char* tabla) {
  std::string sql = std::string("select to_regclass('") + tabla + "') is not null";
  std::unique_ptr<PGresult, decltype(&PQclear)> r(PQexec(c, sql.c_str()), PQclear);
  if (PQresultStatus(r.get()) != PGRES_TUPLES_OK) fallar(c);
  return std::string(PQgetvalue(r.get(), 0, 0)) == "t";
}

// The rows of one table through COPY, in its text form: fields split by tabs, one row a line.
class Copia {
 public:
  Copia(PGconn* c, const char* tabla) : c_(c) {
    ejecutar(c, std::string("COPY ") + tabla + " FROM STDIN");
  }
  void fila(std::initializer_list<std::string> campos) {
    bool primero = true;
    for (const auto& campo : campos) {
      if (!primero) texto_ += '\t';
      primero = false;
      for (char ch : campo) {
        if (ch == '\\' || ch == '\t' || ch == '\n' || ch == '\r') texto_ += '\\';
        texto_ += ch == '\t' ? 't' : ch == '\n' ? 'n' : ch == '\r' ? 'r' : ch;
      }
    }
    texto_ += '\n';
  }
  void terminar() {
    if (PQputCopyData(c_, texto_.data(), static_cast<int>(texto_.size())) != 1 ||
        PQputCopyEnd(c_, nullptr) != 1) {
      fallar(c_);
    }
    std::unique_ptr<PGresult, decltype(&PQclear)> r(PQgetResult(c_), PQclear);
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK) fallar(c_);
    while (PGresult* resto = PQgetResult(c_)) PQclear(resto);
  }

 private:
  PGconn* c_;
  std::string texto_;
};

void llenarContabilidad(PGconn* c, const prjsumsal::Fecha& hoy) {
  for (const char* t : datos::kTablasContabilidadPostgres) ejecutar(c, t);
  Copia plan(c, "ctmcentros");
  for (const auto& cuenta : planDeCuentas())
    plan.fila({cuenta.centro, cuenta.nombre, cuenta.grupo});
  plan.terminar();
  // The host keeps the legal representative's RUT in the column provincia.
  Copia empresa(c, "admempresa");
  empresa.fila({"Rodrigo Ignacio Vergara Núñez", "10.234.567-3", "76.543.210-3", kDemoNombreEmpresa,
                "Los Aromos", "Av. Providencia 1234, Of. 56", "Providencia", "+56 2 2345 6789"});
  empresa.terminar();
  Copia contador(c, "contador");
  contador.fila({"Claudia Andrea Muñoz Pérez", "13.456.789-9", "12345"});
  contador.terminar();

  const auto vales = comprobantes(hoy);
  const std::string empresaDemo = std::to_string(kDemoEmpresa);
  Copia cabeceras(c, "ctccomprmm");
  for (const auto& v : vales) {
    cabeceras.fila({empresaDemo, std::to_string(v.subsistema), v.fecha.iso(), v.documento,
                    std::to_string(v.num_docum), std::to_string(v.usuario), v.ifrs});
  }
  cabeceras.terminar();
  Copia lineas(c, "ctdcomprmm");
  for (const auto& v : vales) {
    for (const auto& l : v.lineas) {
      lineas.fila({empresaDemo, std::to_string(v.subsistema), v.fecha.iso(), v.documento,
                   std::to_string(v.num_docum), l.centro, std::to_string(l.debe),
                   std::to_string(l.haber)});
    }
  }
  lineas.terminar();
  for (const char* i : datos::kIndicesContabilidadPostgres) ejecutar(c, i);
}

}  // namespace

void prepararDemoPostgres(const std::string& uri, const prjsumsal::Fecha& hoy) {
  std::unique_ptr<PGconn, Cerrar> c(PQconnectdb(uri.c_str()));
  if (PQstatus(c.get()) != CONNECTION_OK) fallar(c.get());
  bool contabilidad = existe(c.get(), "ctdcomprmm");
  bool programa = existe(c.get(), "programa");
  if (contabilidad && programa) return;
  ejecutar(c.get(), "begin");
  if (!contabilidad) llenarContabilidad(c.get(), hoy);
  if (!programa) ejecutar(c.get(), datos::kTablaProgramaPostgres);
  ejecutar(c.get(), "commit");
  // Statistics for the planner and the visibility map that lets it answer from the indexes.
  if (!contabilidad) ejecutar(c.get(), "vacuum analyze");
}

}  // namespace suite::demo
