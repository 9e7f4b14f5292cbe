#include "instalacion_consola.h"

#include "clase/biblioteca.h"
#include "controles/dia_sin_ventana.h"
#include "controles/informe_sin_ventana.h"
#include "libro_xlsx/escritor_libxlsx.h"

namespace suite::anfitrion {

InstalacionConsola::InstalacionConsola(const AjustesInstalacion& ajustes, std::ostream& errores,
                                       bool salidaAErrores)
    : mensajes_(errores, prjsumsal::kNombreBiblioteca),
      procesos_(plataforma::ProcesosPosix::Modo::Esperado, salidaAErrores),
      motor_(ajustesMotor(ajustes)),
      instalada_(partes(ajustes, errores)) {}

prjsumsal::Plataforma InstalacionConsola::partes(const AjustesInstalacion& ajustes,
                                                 std::ostream& errores) {
  motor_->aviso = [&errores](const std::string& aviso) { errores << "nubo: " << aviso << '\n'; };
  prjsumsal::Plataforma p = prjsumsal::plataforma();
  p.mensajes = &mensajes_;
  p.dialogo = &dialogo_;
  p.procesos = &procesos_;
  // The terminal hears of a balance only when it does not square.
  p.cuadre = [&errores](const std::string& linea, bool cuadra) {
    if (!cuadra) errores << "nubo: " << linea << '\n';
  };
  // The report control keeps each data preparation's writes in one batch of the report database.
  p.crearInforme = [base = std::weak_ptr(ajustes.informes)] {
    auto informe = std::make_unique<controles::InformeSinVentana>();
    informe->baseInformes(base);
    return informe;
  };
  p.crearDia = [] { return std::make_unique<controles::DiaSinVentana>(); };
  p.crearReporte = fabricaMotor(ajustes.informes, motor_);
  p.crearLibroXlsx = libro_xlsx::crearEscritorLibxlsx;
  return p;
}

void InstalacionConsola::vistaPreviaEn(const std::string& archivo) {
  motor_->vistaPreviaPdf = QString::fromStdString(archivo);
}

}  // namespace suite::anfitrion
