// RENDIDOR on the files it may be handed: bad ones get one line on standard error that names the
// file and the line, exit status 1, and leave no PDF and no temporary file; files of older
// writers, in Windows-1252 or with a decimal point, and very large ones make their PDF.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QThread>

#include <fstream>

#include "ayuda.h"
#include "disco_chico.h"

namespace suite::rendidor {
namespace {

using namespace prueba;

// A change to one of the files: the first `de` becomes `a`; without `de` the file is missing.
struct Cambio {
  bool empresa;
  const char* de;
  std::string a;
};

// The three accounts every case starts from, with the change made; the data file's blocks
// start at lines 2, 20 and 38.
Archivos cambiados(std::initializer_list<Cambio> cambios, const fs::path& carpeta) {
  Archivos r = archivos({cuenta("1101", "Caja", "A", 500, 200, 1200),
                         cuenta("2101", "Proveedores", "P", 100, 400, -300),
                         cuenta("4101", "Ventas", "G", 0, 900, -900)});
  for (const Cambio& c : cambios) {
    std::string& t = c.empresa ? r.empresa : r.datos;
    if (c.de) t.replace(t.find(c.de), std::strlen(c.de), c.a);
  }
  escribir(carpeta, r);
  for (const Cambio& c : cambios) {
    if (!c.de) fs::remove(carpeta / (c.empresa ? kArchivoEmpresa : kArchivoDatos));
  }
  return r;
}

TEST(Entradas, CadaArchivoMaloSeRechazaConArchivoYLinea) {
  const struct {
    Cambio cambio;
    int linea;  // 0: the message names no line
    std::string texto;
  } casos[] = {
      {{false, nullptr, ""}, 0, "el archivo no existe"},
      {{true, nullptr, ""}, 0, "el archivo no existe"},
      {{false, "900</varHaber8>\r\n</fila>\r\n</tabla>\r\n", "9"},
       54,
       "el archivo termina antes de cerrar sus elementos: está cortado o incompleto"},
      {{false, "</n_centro>", "</n_centr>"}, 8, "el XML no está bien formado (columna 24)"},
      {{false, "<haber>400</haber>\r\n", ""}, 20, "a la fila que empieza aquí le falta <haber>"},
      {{false, ">100<", ">12a<"}, 28, "<debe> no es un número: «12a»"},
      {{false, ">100<", ">1E+20<"}, 28, "<debe> está fuera de rango: «1E+20»"},
      {{false, ">100<", ">inf<"}, 28, "<debe> no es un número: «inf»"},
      {{false, ">100<", ">1.100,5<"}, 28, "<debe> no es un número: «1.100,5»"},
      {{false, "</debe>", "</debe><debe>1</debe>"}, 10, "<debe> está dos veces en la fila"},
      {{false, "01/01/2026 -", "01/02/2026 -"},
       5,
       "la fila es de otra exportación: su <fecha> es «01/02/2026 - 31/03/2026» y en "
       "balance_tributario_empresa.xml es «01/01/2026 - 31/03/2026»"},
      {{false, "<tabla>", "<libro>"}, 1, "se esperaba <tabla> y hay <libro>"},
      {{false, ">Caja<", ">Ca<b/>ja<"},
       8,
       "<n_centro> no puede contener otros elementos, como <b>"},
      {{false, ">Caja<", ">" + std::string(5000, 'x') + "<"},
       8,
       "el valor de <n_centro> pasa de 4096 caracteres"},
      {{false, "<fila>", "suelto<fila>"}, 2, "hay texto fuera de los elementos"},
      {{true, "<rut_rep_legal>10.234.567-3</rut_rep_legal>", ""},
       2,
       "a la fila que empieza aquí le falta <rut_rep_legal>"},
      {{true, "</tabla>", "<fila></fila></tabla>"}, 15, "el encabezado tiene más de una <fila>"},
  };
  for (const auto& c : casos) {
    Carpeta carpeta;
    cambiados({c.cambio}, carpeta.ruta());
    // A PDF of an earlier run must survive a run that fails.
    std::ofstream(carpeta.ruta() / "balance_tributario.pdf") << "anterior";
    Corrida r = rendir(carpeta.ruta());
    std::string ruta =
        (carpeta.ruta() / (c.cambio.empresa ? kArchivoEmpresa : kArchivoDatos)).string();
    EXPECT_EQ(r.errores, "RENDIDOR: " + ruta + (c.linea ? ":" + std::to_string(c.linea) : "") +
                             ": " + c.texto + "\n");
    EXPECT_EQ(r.estado, 1) << c.texto;
    std::ifstream anterior(carpeta.ruta() / "balance_tributario.pdf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(anterior), {}), "anterior") << c.texto;
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta.ruta()), {}), c.cambio.de ? 3 : 2);
  }
}

TEST(Entradas, ArchivosDeOtrosEscritoresDanSuPdf) {
  const struct {
    std::initializer_list<Cambio> cambios;
    std::vector<std::string> esperado;
  } casos[] = {
      {{{false, "Caja", "Ca\361er\355a \200"}, {true, "Muñoz", "Mu\xf1oz"}},
       {"Cañería €", "Claudia Muñoz"}},  // Windows-1252
      {{{false, "<tabla>", "<?xml version='1.0' encoding='windows-1252'?><tabla>"},
        {false, "Caja", "Cañería"}},
       {"Cañería"}},  // a declaration that does not tell the truth
      {{{false, "<debe>500</debe>", "<debe>0,4</debe>"}, {false, "<haber>200", "<haber>200.6"}},
       {"El balance no cuadra: Creditos supera a Debitos en 1.401"}},  // both decimal separators
  };
  for (const auto& c : casos) {
    Carpeta carpeta;
    cambiados(c.cambios, carpeta.ruta());
    Corrida r = rendir(carpeta.ruta());
    ASSERT_EQ(r.estado, 0) << r.errores;
    std::string texto = textoPdf(carpeta.ruta() / "balance_tributario.pdf");
    for (const auto& e : c.esperado) EXPECT_NE(texto.find(e), std::string::npos) << e;
  }
}

// The PDF never replaces one of its input files, however --salida names it; a data file that
// is a pipe is refused at once, never waited on.
TEST(Entradas, ElPdfNuncaReemplazaUnArchivoDeEntradaNiEsperaUnaTuberia) {
  Carpeta carpeta;
  Archivos a = cambiados({}, carpeta.ruta());
  const fs::path datos = carpeta.ruta() / kArchivoDatos, empresa = carpeta.ruta() / kArchivoEmpresa;
  fs::create_hard_link(empresa, carpeta.ruta() / "duro.pdf");
  fs::create_symlink(datos, carpeta.ruta() / "enlace.pdf");
  for (const fs::path& salida :
       {datos, carpeta.ruta() / "duro.pdf", carpeta.ruta() / "enlace.pdf"}) {
    Corrida r = correr(RENDIDOR_EJECUTABLE, {"--carpeta", carpeta.dir.path(), "--salida",
                                             QString::fromStdString(salida.string())});
    EXPECT_EQ(r.estado, 2) << r.errores;
    EXPECT_NE(r.errores.find("de donde sale el PDF"), std::string::npos) << r.errores;
  }
  std::ifstream d(datos, std::ios::binary), e(empresa, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(d), {}), a.datos);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(e), {}), a.empresa);

  fs::remove(datos);
  ASSERT_EQ(::mkfifo(datos.c_str(), 0600), 0);
  Corrida r = rendir(carpeta.ruta());
  EXPECT_EQ(r.estado, 1);
  EXPECT_EQ(r.errores, "RENDIDOR: " + datos.string() + ": no es un archivo común\n");
}

// A full disk and a run killed outright at any moment: the earlier PDF stays or the whole new
// one is there, never a part, and no temporary file outlives the next run.
TEST(Entradas, UnDiscoLlenoOUnaMuerteDejanElPdfAnterior) {
  Carpeta carpeta;
  std::vector<prjsumsal::FilaBalance> filas;
  for (int i = 0; i < 10000; ++i)
    filas.push_back(cuenta(std::to_string(1000000 + i), "Cuenta", "A", i, 0, i));
  escribir(carpeta.ruta(), archivos(filas));
  const fs::path pdf = carpeta.ruta() / "balance_tributario.pdf";
  for (int espera : {0, 100, 400, 1000}) {
    std::ofstream(pdf) << "anterior";
    QProcess p;
    p.start(RENDIDOR_EJECUTABLE, {"--carpeta", carpeta.dir.path()});
    ASSERT_TRUE(p.waitForStarted());
    QThread::msleep(espera);
    p.kill();
    p.waitForFinished(-1);
    std::ifstream in(pdf, std::ios::binary);
    std::string queda(std::istreambuf_iterator<char>(in), {});
    EXPECT_TRUE(queda == "anterior" ||
                (queda.starts_with("%PDF") && queda.find("%%EOF") != std::string::npos))
        << espera;
  }
  ASSERT_EQ(rendir(carpeta.ruta()).estado, 0);
  for (const auto& f : fs::directory_iterator(carpeta.ruta()))
    EXPECT_NE(f.path().extension(), ".tmp") << f.path();

  prjsumsal::prueba::DiscoChico chico(256);
  if (!chico.montado()) GTEST_SKIP() << "no se puede montar un tmpfs aquí";
  const std::string lleno = chico.ruta("b.pdf");
  std::ofstream(lleno) << "anterior";
  Corrida r = correr(RENDIDOR_EJECUTABLE,
                     {"--carpeta", carpeta.dir.path(), "--salida", QString::fromStdString(lleno)});
  EXPECT_EQ(r.estado, 1);
  EXPECT_EQ(r.errores, "RENDIDOR: No se puede escribir el archivo " + lleno +
                           ": no queda espacio en el disco\n");
  std::ifstream in(lleno);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "anterior");
  EXPECT_EQ(std::distance(fs::directory_iterator(chico.ruta()), {}), 1);
}

}  // namespace
}  // namespace suite::rendidor
