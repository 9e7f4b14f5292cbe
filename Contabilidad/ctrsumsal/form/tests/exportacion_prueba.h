#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archivos_prueba.h"
#include "diario_prueba.h"
#include "entorno_prueba.h"

namespace prjsumsal::prueba {

// A save dialog that answers what the test set and records the settings it was shown with.
class DialogoGrabado : public DialogoGuardar {
 public:
  std::optional<std::string> ShowSave(const OpcionesGuardar& o) override {
    mostrados.push_back(o);
    return respuesta;
  }
  std::optional<std::string> respuesta;
  std::vector<OpcionesGuardar> mostrados;
};

// Process starts and pointer changes, recorded in one list so their order shows.
class ProcesosGrabados : public Procesos, public Puntero {
 public:
  void Shell(const std::string& ruta, int estilo) override {
    llamadas.push_back("Shell " + ruta + " " + std::to_string(estilo));
    if (alIniciar) alIniciar(ruta);
  }
  void MousePointer(int forma) override {
    llamadas.push_back("MousePointer " + std::to_string(forma));
  }
  std::vector<std::string> llamadas;
  std::function<void(const std::string&)> alIniciar;  // may raise, as a failed start does
};

// The form loaded for company 3 "SUR LTDA", user 7, March 2024 and the tax book, over a journal
// whose balance the tests work out by hand:
//   10/01/2024  1101 debit 1000      2101 credit 1000
//   05/03/2024  1101-01 debit 250.5  4101 credit 250.5
//   20/03/2024  9999 debit 40        1101 credit 40
// The chart has 1101 "Caja" (A), 1101-01 "Caja chica & fondos" (A), 2101 "Préstamos <bancarios>"
// (P) and 4101 with a null name (R); 9999 is missing from it. A voucher of company 4 and one of
// the IFRS book must not count.
class ExportacionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    e_.plataforma.dialogo = &dialogo_;
    e_.plataforma.procesos = &procesos_;
    e_.plataforma.puntero = &procesos_;
    e_.plataforma.carpetaModulo = carpeta_.ruta().string();

    auto& db = e_.contable->interna();
    db.executesql(
        "insert into admempresa values('Rosa Pérez','9.876.543-3','76.000.000-0',"
        "'SUR LTDA','SUR','Calle 1','Talca','71-2222')");
    cuenta(db, "1101", "'Caja'", "A");
    cuenta(db, "1101-01", "'Caja chica & fondos'", "A");
    cuenta(db, "2101", "'Préstamos <bancarios>'", "P");
    cuenta(db, "4101", "null", "R");
    comprobante(db, 3, "2024-01-10", "CT", 1, 7, "0", {{"1101", 1000, 0}, {"2101", 0, 1000}});
    comprobante(db, 3, "2024-03-05", "CT", 2, 7, "1", {{"1101-01", 250.5, 0}, {"4101", 0, 250.5}});
    comprobante(db, 3, "2024-03-20", "CT", 3, 7, "0", {{"9999", 40, 0}, {"1101", 0, 40}});
    comprobante(db, 4, "2024-03-05", "CT", 2, 7, "1", {{"1101", 777, 0}, {"4101", 0, 777}});
    comprobante(db, 3, "2024-03-06", "CT", 4, 7, "2", {{"1101", 888, 0}, {"4101", 0, 888}});

    cls_->ShowForm();
    frm().txtdesde->Text("01/03/2024");
    frm().txthasta->Text("31/03/2024");
    e_.contable->lecturas.clear();
    e_.contable->opciones.clear();
  }

  void TearDown() override {
    cls_.reset();
    EntornoPrueba::cerrarFormularios();
  }

  frmsumsal& frm() { return *cls_->formulario(); }
  std::string ruta(const std::string& nombre) const { return carpeta_.ruta(nombre); }
  std::vector<std::string> archivos() const { return carpeta_.archivos(); }
  // The values of the elements of lines [desde, hasta), joined by "|"; an empty element gives "".
  static std::string valores(const std::vector<std::string>& ls, std::size_t desde,
                             std::size_t hasta) {
    std::string r;
    for (std::size_t i = desde; i < hasta; ++i) {
      const std::string& l = ls.at(i);
      auto fin = l.find("</");
      auto inicio = fin == std::string::npos ? fin : l.rfind('>', fin) + 1;
      r += (i == desde ? "" : "|") +
           (fin == std::string::npos ? "" : l.substr(inicio, fin - inicio));
    }
    return r;
  }

  CarpetaPrueba carpeta_{"exportacion_"};
  EntornoPrueba e_;
  DialogoGrabado dialogo_;
  ProcesosGrabados procesos_;
  std::unique_ptr<clssumsal> cls_ = e_.clase();
};

}  // namespace prjsumsal::prueba
