// RENDIDOR on the files it may be handed: bad ones get one line on standard error that names the
// file and the line, exit status 1, and leave no PDF and no temporary file; files of older
// writers, in Windows-1252 or with a decimal point, and very large ones make their PDF.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "ayuda.h"

namespace rendidor {
namespace {

using namespace prueba;

// The three accounts every case starts from; the data file's blocks start at lines 2, 20, 38.
std::vector<prjsumsal::FilaBalance> tresCuentas() {
  return {cuenta("1101", "Caja", "A", 500, 200, 1200),
          cuenta("2101", "Proveedores", "P", 100, 400, -300),
          cuenta("4101", "Ventas", "G", 0, 900, -900)};
}

void cambiar(std::string& texto, const std::string& de, const std::string& a) {
  std::size_t i = texto.find(de);
  ASSERT_NE(i, std::string::npos) << de;
  texto.replace(i, de.size(), a);
}

std::string leer(const fs::path& archivo) {
  std::ifstream in(archivo, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Entradas, CadaArchivoMaloSeRechazaConArchivoYLinea) {
  const std::string datos = "balance_tributario_datos.xml",
                    empresa = "balance_tributario_empresa.xml";
  struct Caso {
    std::string archivo;
    std::function<void(std::string&)> danar;
    long linea;  // 0: the message names no line; -1: any line
    std::string texto;
  };
  const Caso casos[] = {
      {datos, nullptr, 0, "el archivo no existe"},
      {empresa, nullptr, 0, "el archivo no existe"},
      {datos, [](std::string& t) { t.resize(t.size() / 2); }, -1,
       "el archivo termina antes de cerrar sus elementos: está cortado o incompleto"},
      {datos, [](std::string& t) { t.clear(); }, -1, "el archivo termina antes"},
      {datos, [](std::string& t) { cambiar(t, "</n_centro>", "</n_centr>"); }, 8,
       "el XML no está bien formado"},
      {datos, [](std::string& t) { cambiar(t, "<haber>400</haber>\r\n", ""); }, 20,
       "a la fila que empieza aquí le falta <haber>"},
      {datos, [](std::string& t) { cambiar(t, ">100<", ">12a<"); }, 28,
       "<debe> no es un número: «12a»"},
      {datos, [](std::string& t) { cambiar(t, ">100<", ">1E+20<"); }, 28,
       "<debe> está fuera de rango: «1E+20»"},
      {datos,
       [](std::string& t) { cambiar(t, "<debe>100</debe>", "<debe>100</debe><debe>1</debe>"); }, 28,
       "<debe> está dos veces en la fila"},
      {datos, [](std::string& t) { cambiar(t, "01/01/2026 -", "01/02/2026 -"); }, 5,
       "la fila es de otra exportación: su <fecha> es «01/02/2026 - 31/03/2026» y en " + empresa +
           " es «01/01/2026 - 31/03/2026»"},
      {datos,
       [](std::string& t) {
         cambiar(t, "<tabla>", "<libro>");
         cambiar(t, "</tabla>", "</libro>");
       },
       1, "se esperaba <tabla> y hay <libro>"},
      {datos, [](std::string& t) { cambiar(t, ">Caja<", ">Ca<b/>ja<"); }, 8,
       "<n_centro> no puede contener otros elementos, como <b>"},
      {datos, [](std::string& t) { cambiar(t, ">Caja<", ">" + std::string(5000, 'x') + "<"); }, 8,
       "el valor de <n_centro> pasa de 4096 caracteres"},
      {datos, [](std::string& t) { cambiar(t, "<tabla>\r\n", "<tabla>\r\nsuelto\r\n"); }, -1,
       "hay texto fuera de los elementos"},
      {empresa,
       [](std::string& t) { cambiar(t, "<rut_rep_legal>10.234.567-3</rut_rep_legal>\r\n", ""); }, 2,
       "a la fila que empieza aquí le falta <rut_rep_legal>"},
      {empresa, [](std::string& t) { cambiar(t, "</tabla>", "<fila></fila></tabla>"); }, 15,
       "el encabezado tiene más de una <fila>"},
  };
  for (const Caso& c : casos) {
    Carpeta carpeta;
    Archivos a = archivos(tresCuentas());
    std::string& danado = c.archivo == datos ? a.datos : a.empresa;
    if (c.danar) c.danar(danado);
    escribir(carpeta.ruta(), a);
    if (!c.danar) fs::remove(carpeta.ruta() / c.archivo);
    // A PDF of an earlier run must survive a run that fails.
    std::ofstream(carpeta.ruta() / "balance_tributario.pdf") << "anterior";

    Corrida r = rendir(carpeta.ruta());
    std::string ruta = (carpeta.ruta() / c.archivo).string();
    SCOPED_TRACE(c.texto + "\n" + r.errores);
    EXPECT_EQ(r.estado, 1);
    std::string inicio = "RENDIDOR: " + ruta + (c.linea > 0 ? ":" + std::to_string(c.linea) : "");
    EXPECT_EQ(r.errores.rfind(inicio + (c.linea < 0 ? ":" : ": "), 0), 0u);
    EXPECT_NE(r.errores.find(": " + c.texto), std::string::npos);
    EXPECT_EQ(std::count(r.errores.begin(), r.errores.end(), '\n'), 1);
    EXPECT_EQ(leer(carpeta.ruta() / "balance_tributario.pdf"), "anterior");
    auto archivosDejados = std::distance(fs::directory_iterator(carpeta.ruta()), {});
    EXPECT_EQ(archivosDejados, c.danar ? 3 : 2);
  }
}

TEST(Entradas, ArchivosDeOtrosEscritoresDanSuPdf) {
  struct Caso {
    const char* que;
    std::function<void(Archivos&)> cambiar;
    std::vector<std::string> esperado;
  };
  const Caso casos[] = {
      {"Windows-1252",
       [](Archivos& a) {
         cambiar(a.datos, "Cañería €",
                 "Ca\xf1"
                 "er\xed"
                 "a \x80");
         cambiar(a.empresa, "Muñoz", "Mu\xf1oz");
       },
       {"Cañería €", "Claudia Muñoz"}},
      {"declaración que no dice la verdad",
       [](Archivos& a) { a.datos = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + a.datos; },
       {"Cañería €"}},
      {"punto decimal",
       [](Archivos& a) {
         for (std::size_t i; (i = a.datos.find("4,5<")) != std::string::npos;) a.datos[i + 1] = '.';
       },
       {"1.235"}},
  };
  for (const Caso& c : casos) {
    Carpeta carpeta;
    Archivos a = archivos({cuenta("1101", "Cañería €", "A", 1234.5, 0, 1234.5)});
    c.cambiar(a);
    escribir(carpeta.ruta(), a);
    Corrida r = rendir(carpeta.ruta());
    SCOPED_TRACE(std::string(c.que) + "\n" + r.errores);
    ASSERT_EQ(r.estado, 0);
    std::string texto = textoPdf(carpeta.ruta() / "balance_tributario.pdf");
    for (const auto& e : c.esperado) EXPECT_NE(texto.find(e), std::string::npos) << e;
  }
}

TEST(Entradas, CienMilCuentasYNombresDeMilCaracteres) {
  Carpeta carpeta;
  std::vector<prjsumsal::FilaBalance> filas;
  for (int i = 0; i < 100000; ++i) {
    std::string nombre = "Cuenta " + std::to_string(i);
    if (i % 1000 == 0) nombre = QString(1000, u'ñ').toStdString();
    filas.push_back(cuenta(std::to_string(1000000 + i), nombre, "A", i, 0, i));
  }
  escribir(carpeta.ruta(), archivos(filas));
  Corrida r = rendir(carpeta.ruta());
  EXPECT_EQ(r.estado, 0) << r.errores;
  EXPECT_EQ(r.salida, (carpeta.ruta() / "balance_tributario.pdf").string() + "\n");
  Corrida info = correr("pdfinfo", {QString::fromStdString(r.salida).trimmed()});
  EXPECT_NE(info.salida.find("Pages:"), std::string::npos);
}

}  // namespace
}  // namespace rendidor
