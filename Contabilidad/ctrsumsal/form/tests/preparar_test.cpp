#include <gtest/gtest.h>

#include "diario_prueba.h"
#include "entorno_prueba.h"

namespace prjsumsal {
namespace {

using prueba::BaseQueFalla;
using prueba::Caja;
using prueba::EntornoPrueba;

// A journal of company 3 for March 2024 whose rows are worked out by hand in each test.
class PrepararTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* s : {
             "insert into admempresa values('Juan Pérez','11.111.111-1','76.543.210-K',"
             "'SUR LTDA','Comercio',NULL,'Talca','71-2222222')",
             "insert into ctmcentros values('1101','Caja','A')",
             "insert into ctmcentros values('2101','Proveedores O''Brien','P')",
             "insert into ctmcentros values('4101','Ventas','R')",
             "insert into ctmcentros values('5101','Gastos','G')",
             "insert into contador values('Ana Contadora','12.345.678-5','R-1')",
         }) {
      e_.contable->interna().executesql(s);
    }
    comprobante("2024-01-15", 1, 7, "0", "1101", "2101", 1000.4);
    comprobante("2024-03-05", 2, 7, "1", "1101", "4101", 500.5);
    comprobante("2024-03-10", 3, 8, "2", "5101", "1101", 300);  // IFRS book only
    comprobante("2024-03-20", 4, 8, "0", "5101", "1101", 200);
    comprobante("2023-12-31", 5, 7, "0", "1101", "4101", 7777);  // the year before
    comprobante("2024-04-01", 6, 7, "0", "1101", "4101", 3333);  // after the end date

    cls_ = e_.clase("00011");
    cls_->glbUsuario = 8;
    cls_->ShowForm();
    frm().txtdesde->Text("01/03/2024");
    frm().txthasta->Text("31/03/2024");
    e_.informes->sentencias.clear();
    e_.contable->lecturas.clear();
    e_.contable->opciones.clear();
  }
  void TearDown() override { cls_->UnloadForm(); }

  // One voucher of one debit and one credit line of the same amount.
  void comprobante(const char* fecha, int num, int usuario, const char* libro, const char* debe,
                   const char* haber, double monto) {
    prueba::comprobante(e_.contable->interna(), 3, fecha, "CT", num, usuario, libro,
                        {{debe, monto, 0}, {haber, 0, monto}});
  }

  frmsumsal& frm() { return *cls_->formulario(); }
  void preparar() { e_.informesCreados.back()->preparaDatos(); }
  // The rows of the work table in insertion order: centro, n_centro, debe, haber, debe_act,
  // haber_act, g_cuenta.
  std::vector<std::string> cuentas() {
    return EntornoPrueba::filas(
        *e_.informes, "select * from ctrsumsal order by reporte",
        {"centro", "n_centro", "debe", "haber", "debe_act", "haber_act", "g_cuenta"});
  }

  EntornoPrueba e_;
  std::unique_ptr<clssumsal> cls_;
};

TEST_F(PrepararTest, LlenaLaTablaConUnaFilaPorCuentaYLaDeCierre) {
  preparar();
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  // Tax book (vouchers marked 0 or 1), March 2024, year to date from 1 January:
  // 1101  period debits 500.5, credits 200; year: 1000.4 + 500.5 - 200 = 1300.9 debit balance
  // 2101  no period lines; year: 1000.4 credit balance
  // 4101  period credits 500.5; year: 500.5 credit balance
  // 5101  period debits 200; year: 200 debit balance
  EXPECT_EQ(cuentas(), (std::vector<std::string>{
                           "1101|Caja|501|200|1301|0|A",
                           "2101|Proveedores O'Brien|0|0|0|1000|P",
                           "4101|Ventas|0|501|0|501|R",
                           "5101|Gastos|200|0|200|0|G",
                           "NULL|<null>|<null>|<null>|<null>|<null>|<null>",
                       }));
  // The texts every account row repeats, and the closing row's own.
  auto comunes =
      EntornoPrueba::filas(*e_.informes, "select * from ctrsumsal order by reporte",
                           {"empresa", "usuario", "fecha", "auxiliar", "n_auxiliar", "tipo_mov",
                            "contador", "rut", "rep_legal_rut", "registro", "xrut", "xnombre",
                            "xgiro", "xdireccion", "xciudad", "xtelefono"});
  ASSERT_EQ(comunes.size(), 5u);
  EXPECT_EQ(comunes[0],
            "3 SUR LTDA|Juan Pérez|01/03/2024 - 31/03/2024| | |<null>|Ana Contadora|"
            "12.345.678-5|11.111.111-1|R-1|76.543.210-K|SUR LTDA|Comercio||Talca|71-2222222");
  EXPECT_EQ(comunes[3], comunes[0]);
  EXPECT_EQ(comunes[4],
            "3 SUR LTDA|8 ANA|01/03/2024|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|"
            "<null>|<null>|<null>|<null>|<null>");
}

TEST_F(PrepararTest, LibroYAlcanceDelUsuarioEligenLosComprobantes) {
  struct Caso {
    int formato;  // 0: tax book; 1: IFRS book
    std::int16_t alias;
    std::vector<std::string> filas;
  };
  const Caso casos[] = {
      // IFRS (marked 0 or 2): 1101 period credits 300 + 200; year 1000.4 - 500 = 500.4 debit.
      {1,
       0,
       {"1101|Caja|0|500|500|0|A", "2101|Proveedores O'Brien|0|0|0|1000|P",
        "5101|Gastos|500|0|500|0|G"}},
      // Tax book, only user 8's vouchers: voucher 4 alone.
      {0, 2, {"1101|Caja|0|200|0|200|A", "5101|Gastos|200|0|200|0|G"}},
  };
  for (const auto& c : casos) {
    frm().cmbifrs.seleccionar(c.formato);
    frm().glbAlias = c.alias;
    preparar();
    auto filas = cuentas();
    filas.pop_back();  // the closing row
    EXPECT_EQ(filas, c.filas) << frm().cmbifrs.Text << " alias " << c.alias;
  }
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

// The rows' statements are the work table's own (tabla_trabajo_test) and their order in a run
// is in nubo's trace (formulario_test); what neither sees is the record-set option.
TEST_F(PrepararTest, LasSentenciasVanEnOrden) {
  preparar();
  ASSERT_EQ(e_.informes->sentencias.size(), 6u);
  EXPECT_EQ(e_.informes->sentencias[0], "delete from ctrsumsal ");
  ASSERT_EQ(e_.contable->lecturas.size(), 4u);
  // The two grouped statements are opened with the record-set option 4.
  EXPECT_EQ(e_.contable->opciones, (std::vector<int>{-1, -1, 4, 4}));
  EXPECT_EQ(e_.contable->lecturas[0], " select * from admempresa ");
  EXPECT_EQ(e_.contable->lecturas[1], " select * from ctmcentros ");
}

TEST_F(PrepararTest, DosCorridasDejanSoloLaSegunda) {
  preparar();
  frm().txthasta->Text("15/03/2024");
  preparar();
  // Up to 15 March: voucher 2 only in the period; 1101 year 1000.4 + 500.5.
  EXPECT_EQ(cuentas(), (std::vector<std::string>{
                           "1101|Caja|501|0|1501|0|A",
                           "2101|Proveedores O'Brien|0|0|0|1000|P",
                           "4101|Ventas|0|501|0|501|R",
                           "NULL|<null>|<null>|<null>|<null>|<null>|<null>",
                       }));
  // A period without movement in its year: the closing row alone.
  frm().txtdesde->Text("01/01/2025");
  frm().txthasta->Text("31/01/2025");
  preparar();
  EXPECT_EQ(cuentas(), std::vector<std::string>{"NULL|<null>|<null>|<null>|<null>|<null>|<null>"});
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

// A run that fails part way stops there, whatever the way it fails: the rows written before the
// failure stay and the closing row is missing (the report refuses such a table); a delete that
// did not run leaves the earlier run's table as it was. The box has the information icon and no
// title of its own.
TEST_F(PrepararTest, UnaCorridaFallidaDejaLasFilasAnterioresSinCierre) {
  struct Caso {
    const char* que;
    int falla;  // the executesql that fails: 1 delete, 2 to 5 accounts, 6 closing row
    BaseQueFalla::Modo modo;
    std::size_t filas;  // rows left in the table
    bool cierre;        // the last of them is a closing row
  };
  const Caso casos[] = {
      {"la segunda cuenta con error", 3, BaseQueFalla::Modo::Error, 1, false},
      {"la segunda cuenta con cero", 3, BaseQueFalla::Modo::Cero, 1, false},
      {"la fila de cierre con cero", 6, BaseQueFalla::Modo::Cero, 4, false},
      {"el borrado con cero", 1, BaseQueFalla::Modo::Cero, 5, true},
  };
  for (const auto& c : casos) {
    preparar();  // a complete earlier run
    e_.mensajes.cajas.clear();
    e_.informes->ejecutadas = 0;
    e_.informes->fallarEn(c.falla, c.modo);
    preparar();
    e_.informes->fallarEn(0);
    std::vector<std::string> filas = cuentas();
    ASSERT_EQ(filas.size(), c.filas) << c.que;
    EXPECT_EQ(filas.back().starts_with("NULL|"), c.cierre) << c.que;
    ASSERT_EQ(e_.mensajes.cajas.size(), 1u) << c.que;
    EXPECT_EQ(e_.mensajes.cajas[0].icono, Icono::Informacion) << c.que;
    EXPECT_EQ(e_.mensajes.cajas[0].titulo, std::nullopt) << c.que;
  }
}

TEST_F(PrepararTest, LosFallosDeLecturaSeMuestranConSuDescripcion) {
  e_.contable->interna().executesql("delete from admempresa");
  preparar();
  ASSERT_EQ(e_.mensajes.cajas.size(), 1u);
  EXPECT_NE(e_.mensajes.cajas[0].texto.find("admempresa"), std::string::npos);
  EXPECT_TRUE(cuentas().empty());

  e_.mensajes.cajas.clear();
  frm().glbdb = nullptr;
  preparar();
  EXPECT_EQ(e_.mensajes.cajas,
            (std::vector<Caja>{{kObjetoNoEstablecido, Icono::Informacion, std::nullopt}}));
}

}  // namespace
}  // namespace prjsumsal
