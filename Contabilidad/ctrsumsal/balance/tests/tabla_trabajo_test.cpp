#include <gtest/gtest.h>

#include <limits>

#include "balance/tabla_trabajo.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

DatosTabla datos() {
  DatosTabla d;
  d.empresa = "3 SUR LTDA";
  d.usuario = "7 ANA";
  d.desde = "01/03/2024";
  d.hasta = "31/03/2024";
  d.contador = "C";
  d.rut = "12.345.678-5";
  d.registro = "123";
  d.encabezado = {"REP", "11.111.111-1", "76.543.210-K", "SUR LTDA", "GIRO", "DIR", "CIU", "TEL"};
  return d;
}

TEST(TablaTrabajo, CrearTabla) {
  EXPECT_EQ(sentenciaCrearTabla(),
            "CREATE TABLE ctrsumsal ( empresa text(50), usuario text(50), fecha text(30), reporte "
            "counter, centro text(20), auxiliar text(6), n_centro text(30), n_auxiliar text(80), "
            "debe double, haber double, debe_act double, haber_act double, g_cuenta text(1), "
            "tipo_mov integer, contador text(50), rut text(15), rep_legal_rut text(15), registro "
            "text(10), xrut text(15), xnombre text(100), xgiro text(100), xdireccion text(100), "
            "xciudad text(50), xtelefono text(20), CONSTRAINT primario PRIMARY KEY (reporte))");
}

TEST(TablaTrabajo, FilaDeCuenta) {
  FilaBalance f;
  f.centro = "1101";
  f.n_centro = "Caja";
  f.g_cuenta = "A";
  f.debe = 1234.5;
  f.haber = -1234.5;
  f.debe_act = 0.4;
  f.haber_act = 0;
  EXPECT_EQ(sentenciaFila(datos(), f),
            "insert into ctrsumsal(empresa,usuario,fecha,centro,auxiliar,n_centro,n_auxiliar,"
            "debe_act,haber_act, debe, haber, g_cuenta, contador, rut, rep_legal_rut, registro, "
            "xrut, xnombre, xgiro, xdireccion, xciudad, xtelefono ) "
            " values('3 SUR LTDA','REP','01/03/2024 - 31/03/2024','1101',' ','Caja',' ',"
            "0,0,1235,-1235,'A','C','12.345.678-5','11.111.111-1','123','76.543.210-K',"
            "'SUR LTDA','GIRO','DIR','CIU','TEL')");
  f.haber = std::numeric_limits<double>::infinity();  // a sum past the largest double
  EXPECT_THROW(sentenciaFila(datos(), f), Error);
}

// The four cut columns take their first characters, never half of one; the others go whole.
TEST(TablaTrabajo, LosCortesCuentanCaracteres) {
  DatosTabla d = datos();
  std::string ene60;
  for (int i = 0; i < 60; ++i) ene60 += "ñ";
  std::string ene50, ene15, ene100;
  for (int i = 0; i < 50; ++i) ene50 += "ñ";
  for (int i = 0; i < 15; ++i) ene15 += "ñ";
  d.empresa = "3 " + ene60;
  d.usuario = "7 " + ene60;
  d.encabezado.rep_legal = ene60;
  d.encabezado.provincia = ene60;
  d.encabezado.n_comercial = ene60 + ene60;
  d.encabezado.n_empresa = ene60 + ene60;
  d.contador = ene60;
  std::string fila = sentenciaFila(d, FilaBalance{});
  EXPECT_NE(fila.find(" values('3 " + ene50.substr(0, 48 * 2) + "','" + ene50 + "','"),
            std::string::npos)
      << fila;
  EXPECT_NE(fila.find("','" + ene15 + "','123','"), std::string::npos) << fila;
  ene100 = ene50 + ene50;
  EXPECT_NE(fila.find("','" + ene60 + ene60 + "','" + ene100 + "','DIR'"), std::string::npos)
      << fila;
  EXPECT_NE(fila.find(",'" + ene60 + "','12.345.678-5'"), std::string::npos) << fila;
  EXPECT_EQ(sentenciaCierre(d), "insert into ctrsumsal(empresa,usuario,fecha,centro)  values('3 " +
                                    ene50.substr(0, 48 * 2) + "','7 " + ene50.substr(0, 48 * 2) +
                                    "','01/03/2024','NULL')");
}

TEST(TablaTrabajo, LasComillasSeDuplicanDespuesDelCorte) {
  DatosTabla d = datos();
  d.empresa = "3 " + std::string(47, 'x') + "'s";  // the quote is the 50th character
  d.encabezado.direccion = "O'Higgins 123";
  FilaBalance f;
  f.centro = "1'1";
  f.n_centro = "Banco O'Higgins";
  std::string fila = sentenciaFila(d, f);
  EXPECT_NE(fila.find("values('3 " + std::string(47, 'x') + "''','REP'"), std::string::npos)
      << fila;
  EXPECT_NE(fila.find("'1''1',' ','Banco O''Higgins',' '"), std::string::npos) << fila;
  EXPECT_NE(fila.find("'O''Higgins 123'"), std::string::npos) << fila;
}

}  // namespace
}  // namespace prjsumsal
