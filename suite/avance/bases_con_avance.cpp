#include "bases_con_avance.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <string_view>

#include "datos/registros_memoria.h"

namespace suite::avance {

using prjsumsal::BaseDatos;
using prjsumsal::Campo;
using prjsumsal::Registros;

namespace {

constexpr char kLeyendoContabilidad[] = "Leyendo la contabilidad";
constexpr char kLeyendoDiario[] = "Leyendo el diario";
constexpr char kCalculando[] = "Calculando las cuentas";
constexpr char kLlenando[] = "Llenando la tabla de trabajo";
constexpr char kLeyendoTabla[] = "Leyendo la tabla de trabajo";

// The rows a record set holds, when it can tell; 0 otherwise (the stage then shows a count).
std::size_t filasDe(const Registros& r) {
  auto* memoria = dynamic_cast<const datos::RegistrosMemoria*>(&r);
  return memoria ? memoria->filas() : 0;
}

// True when `sentencia` adds a row to the work table.
bool llenaTablaTrabajo(std::string_view sentencia) {
  constexpr std::string_view kInsercion = "insert into ctrsumsal";
  std::size_t i = sentencia.find_first_not_of(" \t\r\n");
  if (i == std::string_view::npos || sentencia.size() - i < kInsercion.size()) return false;
  return std::equal(
      kInsercion.begin(), kInsercion.end(), sentencia.begin() + i,
      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

struct SeguimientoBases::Estado {
  explicit Estado(Avance& a) : avance(a) {}
  Avance& avance;
  std::atomic<std::size_t> cuentas{0};  // rows of the last grouped statement
  std::atomic<bool> llenando{false};    // the work table is being filled from the accounts
};

namespace {

using Estado = SeguimientoBases::Estado;

// A record set whose every MoveNext is a step of `etapa` (out of `total` rows), or, when
// `etapa` is empty, an account computed.
class RegistrosConAvance : public Registros {
 public:
  RegistrosConAvance(std::unique_ptr<Registros> r, std::shared_ptr<Estado> e, const char* etapa)
      : r_(std::move(r)), estado_(std::move(e)), etapa_(etapa) {}

  bool eof() const override { return r_->eof(); }
  void MoveNext() override {
    r_->MoveNext();
    if (etapa_ == nullptr) {
      // While the table is being filled, its inserts count the accounts.
      if (estado_->llenando) return;
      estado_->avance.etapa(kCalculando, estado_->cuentas);
    }
    estado_->avance.avanzar();
  }
  Campo fields(std::string_view nombre) const override { return r_->fields(nombre); }
  void findfirst(std::string_view criterio) override { r_->findfirst(criterio); }
  bool nomatch() const override { return r_->nomatch(); }

 private:
  std::unique_ptr<Registros> r_;
  std::shared_ptr<Estado> estado_;
  const char* etapa_;
};

class BaseConAvance : public BaseDatos {
 public:
  BaseConAvance(std::shared_ptr<BaseDatos> base, std::shared_ptr<Estado> e, bool contable)
      : base_(std::move(base)), estado_(std::move(e)), contable_(contable) {}

  long executesql(const std::string& sentencia) override {
    if (contable_ || !llenaTablaTrabajo(sentencia)) return base_->executesql(sentencia);
    estado_->llenando = true;
    estado_->avance.etapa(kLlenando, estado_->cuentas);
    long r = base_->executesql(sentencia);
    estado_->avance.avanzar();
    return r;
  }

  std::unique_ptr<Registros> newrecord(const std::string& sentencia) override {
    if (!contable_) return tabla(sentencia);
    estado_->avance.etapa(kLeyendoContabilidad);
    return base_->newrecord(sentencia);
  }

  std::unique_ptr<Registros> newrecord(const std::string& sentencia, std::int16_t opcion) override {
    if (!contable_) return tabla(sentencia, opcion);
    // The journal's grouped statements: the long wait of a large journal is in here.
    estado_->avance.etapa(kLeyendoDiario);
    auto r = base_->newrecord(sentencia, opcion);
    if (!r) return r;
    estado_->cuentas = filasDe(*r);
    estado_->llenando = false;
    return std::make_unique<RegistrosConAvance>(std::move(r), estado_, nullptr);
  }

  std::string Name() const override { return base_->Name(); }

 private:
  template <typename... Opcion>
  std::unique_ptr<Registros> tabla(const std::string& sentencia, Opcion... opcion) {
    estado_->avance.etapa(kLeyendoTabla);
    auto r = base_->newrecord(sentencia, opcion...);
    if (!r) return r;
    estado_->avance.etapa(kLeyendoTabla, filasDe(*r));
    return std::make_unique<RegistrosConAvance>(std::move(r), estado_, kLeyendoTabla);
  }

  std::shared_ptr<BaseDatos> base_;
  std::shared_ptr<Estado> estado_;
  bool contable_;
};

}  // namespace

SeguimientoBases::SeguimientoBases(Avance& avance) : estado_(std::make_shared<Estado>(avance)) {}

SeguimientoBases::~SeguimientoBases() = default;

std::shared_ptr<BaseDatos> SeguimientoBases::contabilidad(std::shared_ptr<BaseDatos> base) {
  return std::make_shared<BaseConAvance>(std::move(base), estado_, true);
}

std::shared_ptr<BaseDatos> SeguimientoBases::informes(std::shared_ptr<BaseDatos> base) {
  return std::make_shared<BaseConAvance>(std::move(base), estado_, false);
}

}  // namespace suite::avance
