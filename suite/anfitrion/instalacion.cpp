#include "instalacion.h"

#include <filesystem>

#include "clase/biblioteca.h"
#include "componente.h"

namespace suite::anfitrion {

AjustesInstalacion ajustesDe(const Opciones& o, const Bases& bases, avance::Avance* avance) {
  return {bases.informes, o.impresora, o.folio, avance};
}

PlataformaInstalada::PlataformaInstalada(const prjsumsal::Plataforma& instalada)
    : anterior_(prjsumsal::plataforma()) {
  prjsumsal::plataforma() = instalada;
}

PlataformaInstalada::~PlataformaInstalada() {
  prjsumsal::plataforma() = anterior_;
}

const prjsumsal::Plataforma& PlataformaInstalada::plataforma() const {
  return prjsumsal::plataforma();
}

std::function<std::unique_ptr<prjsumsal::rptreporte>()> fabricaMotor(
    std::shared_ptr<prjsumsal::BaseDatos> informes,
    std::shared_ptr<const informes::AjustesMotor> ajustes) {
  return [base = std::move(informes), ajustes = std::move(ajustes)] {
    return std::make_unique<informes::MotorInforme>(base, ajustes);
  };
}

std::shared_ptr<informes::AjustesMotor> ajustesMotor(const AjustesInstalacion& a) {
  auto ajustes = std::make_shared<informes::AjustesMotor>();
  ajustes->impresora = QString::fromStdString(a.impresora);
  ajustes->primerFolio = a.primerFolio;
  ajustes->avance = a.avance;
  return ajustes;
}

std::unique_ptr<prjsumsal::clssumsal> crearClase(const std::string& carpeta) {
  return crearPorIdentificador(prjsumsal::kIdentificadorClase,
                               std::filesystem::path(carpeta) / prjsumsal::kArchivoBiblioteca);
}

}  // namespace suite::anfitrion
