#include "escritor_libxlsx.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "export/archivo_seguro.h"
#include "host/error.h"
#include "paquete_xlsx.h"

namespace suite::libro_xlsx {

using prjsumsal::Error;

namespace {

// libxlsxwriter reports a failure twice: in its answer, which becomes our message, and as
// English lines of its own on standard error, where the host keeps one line per failure. While
// one of these lives, standard error goes nowhere.
class SinDiagnosticos {
 public:
  SinDiagnosticos() {
    std::fflush(stderr);
    copia_ = ::dup(STDERR_FILENO);
    int nulo = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (copia_ >= 0 && nulo >= 0) ::dup2(nulo, STDERR_FILENO);
    if (nulo >= 0) ::close(nulo);
  }
  ~SinDiagnosticos() {
    std::fflush(stderr);
    if (copia_ < 0) return;
    ::dup2(copia_, STDERR_FILENO);
    ::close(copia_);
  }
  SinDiagnosticos(const SinDiagnosticos&) = delete;
  SinDiagnosticos& operator=(const SinDiagnosticos&) = delete;

 private:
  int copia_ = -1;
};

// The most characters a cell holds, in the format's own limit.
constexpr std::size_t kCaracteresCelda = 32767;

// Characters of a UTF-8 text: the bytes that do not continue a sequence.
std::size_t caracteres(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// A width in points as the pixels of a screen of 96 dots an inch, which the library turns into
// the file's character widths as the most used spreadsheet reads them back (Calc, with other
// fonts, may show every column somewhat wider, in the same proportions).
std::uint32_t pixeles(double puntos) {
  return static_cast<std::uint32_t>(std::lround(puntos * 96 / 72));
}

// The folder of `ruta`, or the system's temporary folder when `ruta` is a device or a pipe,
// whose folder takes no files.
std::string carpetaDe(const std::string& ruta) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(ruta, ec) && !fs::is_regular_file(ruta, ec))
    return fs::temp_directory_path(ec).string();
  fs::path carpeta = fs::path(ruta).parent_path();
  return carpeta.empty() ? std::string(".") : carpeta.string();
}

// A text of the document properties as the library takes it; an empty one is left out.
char* propiedad(const std::string& s) {
  return s.empty() ? nullptr : const_cast<char*>(s.c_str());
}

}  // namespace

EscritorLibxlsx::EscritorLibxlsx(std::string ruta, std::string nombre,
                                 const prjsumsal::DisenoLibro& d, std::string carpetaTemporal)
    : ruta_(std::move(ruta)),
      nombre_(std::move(nombre)),
      temporal_(carpetaTemporal.empty() ? carpetaDe(ruta_) : std::move(carpetaTemporal)) {
  lxw_workbook_options opciones{};
  opciones.constant_memory = LXW_TRUE;
  opciones.tmpdir = temporal_.data();
  libro_ = workbook_new_opt(ruta_.c_str(), &opciones);
  if (libro_ == nullptr) throw Error("No se puede crear el archivo " + nombre_ + ": falta memoria");
  if (workbook_validate_sheet_name(libro_, d.hoja.c_str()) != LXW_NO_ERROR ||
      (hoja_ = workbook_add_worksheet(libro_, d.hoja.c_str())) == nullptr) {
    lxw_workbook_free(libro_);
    throw Error("No se puede crear el archivo " + nombre_ + ": la hoja no puede llamarse \"" +
                d.hoja + "\"");
  }

  lxw_doc_properties propiedades{};
  propiedades.title = propiedad(d.titulo);
  propiedades.subject = propiedad(d.asunto);
  propiedades.company = propiedad(d.empresa);
  workbook_set_properties(libro_, &propiedades);

  for (std::size_t i = 0; i < d.anchos.size(); ++i) anchoColumna(static_cast<int>(i), d.anchos[i]);
  if (d.filasFijas > 0) {
    worksheet_freeze_panes(hoja_, static_cast<lxw_row_t>(d.filasFijas), 0);
    worksheet_repeat_rows(hoja_, 0, static_cast<lxw_row_t>(d.filasFijas - 1));
  }
  if (d.apaisado) worksheet_set_landscape(hoja_);
  if (d.ajustarAncho) worksheet_fit_to_pages(hoja_, 1, 0);
  if (d.numerarPaginas) worksheet_set_footer(hoja_, "&CPágina &P de &N");
}

EscritorLibxlsx::~EscritorLibxlsx() {
  if (libro_) lxw_workbook_free(libro_);
}

lxw_format* EscritorLibxlsx::formato(const prjsumsal::FormatoCelda& f, bool aTraves) {
  auto [it, nuevo] = formatos_.try_emplace({f, aTraves}, nullptr);
  if (!nuevo) return it->second;
  lxw_format* x = workbook_add_format(libro_);
  if (x == nullptr) throw Error("No se puede escribir el archivo " + nombre_ + ": falta memoria");
  if (f.negrita) format_set_bold(x);
  if (f.puntos > 0) format_set_font_size(x, f.puntos);
  if (f.centrado) format_set_align(x, LXW_ALIGN_CENTER);
  if (f.alDerecha) format_set_align(x, LXW_ALIGN_RIGHT);
  if (aTraves) format_set_align(x, LXW_ALIGN_CENTER_ACROSS);
  if (!f.numero.empty()) format_set_num_format(x, f.numero.c_str());
  if (f.arriba) format_set_top(x, LXW_BORDER_THIN);
  if (f.abajo) format_set_bottom(x, LXW_BORDER_THIN);
  if (f.izquierda) format_set_left(x, LXW_BORDER_THIN);
  if (f.derecha) format_set_right(x, LXW_BORDER_THIN);
  return it->second = x;
}

void EscritorLibxlsx::comprobar(int error, int fila, int columna) {
  if (error == LXW_NO_ERROR) {
    ultimaFila_ = std::max(ultimaFila_, fila);
    return;
  }
  std::string celda = "la celda de la fila " + std::to_string(fila + 1) + ", columna " +
                      std::to_string(columna + 1);
  if (error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE && fila < ultimaFila_) {
    throw Error("No se puede escribir el archivo " + nombre_ + ": " + celda +
                " llega después de la fila " + std::to_string(ultimaFila_ + 1));
  }
  if (error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE) {
    throw Error("No se puede escribir el archivo " + nombre_ + ": " + celda +
                " queda fuera de la hoja (1.048.576 filas)");
  }
  throw Error("No se puede escribir el archivo " + nombre_ + ": " + celda + ": " +
              lxw_strerror(static_cast<lxw_error>(error)));
}

void EscritorLibxlsx::texto(int fila, int columna, const std::string& valor,
                            const prjsumsal::FormatoCelda& f) {
  // The library refuses such a text with a line of its own on standard error; say it here.
  if (caracteres(valor) > kCaracteresCelda) {
    throw Error("No se puede escribir el archivo " + nombre_ + ": el texto de la fila " +
                std::to_string(fila + 1) + " supera los 32.767 caracteres de una celda");
  }
  comprobar(worksheet_write_string(hoja_, fila, static_cast<lxw_col_t>(columna), valor.c_str(),
                                   formato(f)),
            fila, columna);
}

void EscritorLibxlsx::numero(int fila, int columna, double valor,
                             const prjsumsal::FormatoCelda& f) {
  comprobar(worksheet_write_number(hoja_, fila, static_cast<lxw_col_t>(columna), valor, formato(f)),
            fila, columna);
}

void EscritorLibxlsx::centrar(int fila, int columna, int hastaColumna, const std::string& valor,
                              const prjsumsal::FormatoCelda& f) {
  for (int c = columna; c <= hastaColumna; ++c) {
    prjsumsal::FormatoCelda g = f;
    g.izquierda = f.izquierda && c == columna;
    g.derecha = f.derecha && c == hastaColumna;
    auto col = static_cast<lxw_col_t>(c);
    comprobar(c == columna
                  ? worksheet_write_string(hoja_, fila, col, valor.c_str(), formato(g, true))
                  : worksheet_write_blank(hoja_, fila, col, formato(g, true)),
              fila, c);
  }
}

void EscritorLibxlsx::anchoColumna(int columna, double puntos) {
  auto c = static_cast<lxw_col_t>(columna);
  worksheet_set_column_pixels(hoja_, c, c, pixeles(puntos), nullptr);
}

void EscritorLibxlsx::cerrar() {
  lxw_error error;
  int e;
  {
    SinDiagnosticos silencio;
    errno = 0;
    error = workbook_close(libro_);  // frees the workbook, whatever its answer
    e = errno;
  }
  libro_ = nullptr;
  if (error != LXW_NO_ERROR) {
    std::string causa = e != 0 ? prjsumsal::motivoSistema(e) : std::string(lxw_strerror(error));
    throw Error("No se puede escribir el archivo " + nombre_ + ": " + causa);
  }

  // A device or a pipe can be neither read back nor flushed.
  struct stat estado {};
  if (::stat(ruta_.c_str(), &estado) == 0 && !S_ISREG(estado.st_mode)) return;
  comprobarPaquete();
  // The library closes the file without flushing it to the disk: a crash of the machine right
  // after the rename would leave an empty workbook in the old one's place.
  int fd = ::open(ruta_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) {
    e = errno;
    if (fd >= 0) ::close(fd);
    throw Error("No se puede escribir el archivo " + nombre_ + ": " + prjsumsal::motivoSistema(e));
  }
  ::close(fd);
}

void EscritorLibxlsx::comprobarPaquete() const {
  // The library's temporary files are written unchecked; a part they cut short can only be the
  // disk running out of room under them (a failing disk fails the workbook's own writes too),
  // which the message says as every writer of the program does.
  if (!faltaEnLibroXlsx(ruta_, ultimaFila_).empty()) {
    throw Error("No se puede escribir el archivo " + nombre_ + ": " +
                prjsumsal::motivoSistema(ENOSPC));
  }
}

std::unique_ptr<prjsumsal::EscritorXlsx> crearEscritorLibxlsx(const std::string& ruta,
                                                              const std::string& nombre,
                                                              const prjsumsal::DisenoLibro& d) {
  return std::make_unique<EscritorLibxlsx>(ruta, nombre, d);
}

}  // namespace suite::libro_xlsx
