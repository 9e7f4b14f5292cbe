#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base_falla.h"
#include "clase/clssumsal.h"
#include "datos/tests/base_prueba.h"
#include "dia_falso.h"
#include "form/frmsumsal.h"
#include "host/plataforma.h"
#include "informe_falso.h"
#include "mensajes_grabados.h"
#include "reloj_fijo.h"

namespace prjsumsal::prueba {

// Everything a form needs around it in a test: recorded message boxes, a clock fixed on
// 4 December 2026, Chile's regional settings, fake suite controls, and two real databases (in
// memory on SQLite, or on the test server; see base_prueba.h) behind recording, fault-injecting
// objects. The accounting database has the host's tables (empty); the report database has
// `programa`.
struct EntornoPrueba {
  MensajesGrabados mensajes;
  RelojFijo reloj;
  Regional regional;
  Plataforma plataforma;
  std::shared_ptr<BaseQueFalla> contable;
  std::shared_ptr<BaseQueFalla> informes;
  std::vector<InformeFalso*> informesCreados;  // owned by the forms

  EntornoPrueba() {
    plataforma.mensajes = &mensajes;
    plataforma.reloj = &reloj;
    plataforma.regional = &regional;
    plataforma.carpetaModulo = "/tmp";
    plataforma.crearInforme = [this]() -> std::unique_ptr<ctlinforme> {
      auto c = std::make_unique<InformeFalso>();
      informesCreados.push_back(c.get());
      return c;
    };
    plataforma.crearDia = []() -> std::unique_ptr<ctlDia> { return std::make_unique<DiaFalso>(); };
    contable =
        std::make_shared<BaseQueFalla>(suite::prueba::baseVacia(suite::datos::Papel::Contabilidad));
    informes =
        std::make_shared<BaseQueFalla>(suite::prueba::baseVacia(suite::datos::Papel::Informes));
    for (const char* s : suite::prueba::tablasContabilidad()) contable->interna().executesql(s);
    informes->interna().executesql(suite::prueba::tablaPrograma());
  }

  // The class over both databases, for company 3 "SUR LTDA", user 7 "ANA", program "ctrsumsal".
  std::unique_ptr<clssumsal> clase(const std::string& permiso = "000") {
    auto cls = std::make_unique<clssumsal>(plataforma);
    cls->glbEmpresa = 3;
    cls->glbN_empresa = "SUR LTDA";
    cls->glbUsuario = 7;
    cls->glbN_usuario = "ANA";
    cls->glbPrograma = "ctrsumsal";
    cls->glbPermiso = permiso;
    cls->glbdb = contable;
    cls->glbdbReport = informes;
    return cls;
  }

  // Unloads the forms still open (a form outlives its class), so no test leaves one behind.
  static void cerrarFormularios() {
    while (!formulariosAbiertos().empty()) formulariosAbiertos().front()->Unload();
  }

  // Runs a SELECT on the real database behind `base` and gives its rows: the `columnas` of each
  // as texts ("<null>" for a null) joined with "|".
  static std::vector<std::string> filas(BaseQueFalla& base, const std::string& select,
                                        std::initializer_list<const char*> columnas) {
    std::vector<std::string> r;
    for (auto rs = base.interna().newrecord(select); !rs->eof(); rs->MoveNext()) {
      std::string fila;
      bool primera = true;
      for (const char* c : columnas) {
        Valor v = rs->fields(c).Value;
        fila += (primera ? "" : "|") + (v.esNulo() ? std::string("<null>") : v.texto());
        primera = false;
      }
      r.push_back(fila);
    }
    return r;
  }
};

}  // namespace prjsumsal::prueba
