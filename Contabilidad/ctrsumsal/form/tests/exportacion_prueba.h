#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "entorno_prueba.h"
#include "form/frmsumsal.h"
#include "host/clssumsal.h"

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
    carpeta_ = std::filesystem::temp_directory_path() /
               ("exportacion_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(carpeta_);
    std::filesystem::create_directories(carpeta_);
    e_.plataforma.dialogo = &dialogo_;
    e_.plataforma.procesos = &procesos_;
    e_.plataforma.puntero = &procesos_;
    e_.plataforma.carpetaModulo = carpeta_.string();

    auto& db = e_.contable->interna();
    db.executesql(
        "insert into admempresa values('Rosa Pérez','9.876.543-3','76.000.000-0',"
        "'SUR LTDA','SUR','Calle 1','Talca','71-2222')");
    cuenta("1101", "'Caja'", "A");
    cuenta("1101-01", "'Caja chica & fondos'", "A");
    cuenta("2101", "'Préstamos <bancarios>'", "P");
    cuenta("4101", "null", "R");
    comprobante(3, "2024-01-10", 1, "0", {{"1101", 1000, 0}, {"2101", 0, 1000}});
    comprobante(3, "2024-03-05", 2, "1", {{"1101-01", 250.5, 0}, {"4101", 0, 250.5}});
    comprobante(3, "2024-03-20", 3, "0", {{"9999", 40, 0}, {"1101", 0, 40}});
    comprobante(4, "2024-03-05", 2, "1", {{"1101", 777, 0}, {"4101", 0, 777}});
    comprobante(3, "2024-03-06", 4, "2", {{"1101", 888, 0}, {"4101", 0, 888}});

    cls_ = std::make_unique<clssumsal>(e_.plataforma);
    cls_->glbEmpresa = 3;
    cls_->glbN_empresa = "SUR LTDA";
    cls_->glbUsuario = 7;
    cls_->glbN_usuario = "ANA";
    cls_->glbPrograma = "ctrsumsal";
    cls_->glbPermiso = "00000";
    cls_->glbdb = e_.contable;
    cls_->glbdbReport = e_.informes;
    cls_->ShowForm();
    frm().txtdesde->Text("01/03/2024");
    frm().txthasta->Text("31/03/2024");
    e_.contable->lecturas.clear();
  }

  void TearDown() override {
    cls_.reset();
    while (!formulariosAbiertos().empty()) formulariosAbiertos().front()->Unload();
    std::filesystem::remove_all(carpeta_);
  }

  struct Linea {
    const char* centro;
    double debe, haber;
  };

  void cuenta(const char* centro, const char* nombre, const char* grupo) {
    e_.contable->interna().executesql(std::string("insert into ctmcentros values('") + centro +
                                      "'," + nombre + ",'" + grupo + "')");
  }

  void comprobante(int empresa, const char* fecha, int num, const char* libro,
                   std::vector<Linea> lineas) {
    auto& db = e_.contable->interna();
    std::string claves = std::to_string(empresa) + ",1,'" + fecha + "','CT'," + std::to_string(num);
    db.executesql("insert into ctccomprmm values(" + claves + ",7,'" + libro + "')");
    for (const auto& l : lineas) {
      db.executesql("insert into ctdcomprmm values(" + claves + ",'" + l.centro + "'," +
                    std::to_string(l.debe) + "," + std::to_string(l.haber) + ")");
    }
  }

  frmsumsal& frm() { return *cls_->formulario(); }
  std::string ruta(const std::string& nombre) const { return (carpeta_ / nombre).string(); }

  static std::string leer(const std::string& r) {
    std::ifstream f(r, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }
  static void escribir(const std::string& r, const std::string& texto) {
    std::ofstream(r, std::ios::binary) << texto;
  }
  // The names in the folder, to see that no temporary file was left behind.
  std::vector<std::string> archivos() const {
    std::vector<std::string> r;
    for (auto& e : std::filesystem::directory_iterator(carpeta_)) {
      r.push_back(e.path().filename().string());
    }
    std::sort(r.begin(), r.end());
    return r;
  }
  // A text's lines, each of which must end in CR LF.
  static std::vector<std::string> lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
      std::size_t fin = texto.find("\r\n", inicio);
      if (fin == std::string::npos) {
        ADD_FAILURE() << "línea sin CR LF al final";
        break;
      }
      r.push_back(texto.substr(inicio, fin - inicio));
      inicio = fin + 2;
    }
    return r;
  }

  EntornoPrueba e_;
  DialogoGrabado dialogo_;
  ProcesosGrabados procesos_;
  std::filesystem::path carpeta_;
  std::unique_ptr<clssumsal> cls_;
};

}  // namespace prjsumsal::prueba
