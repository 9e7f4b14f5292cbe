#pragma once

#include <array>
#include <string>

namespace suite::datos {

// The tables of the accounting database exactly as the host keeps them (SQLite types; dates as
// ISO text), one statement each. The demo company, the benchmark's journals and the tests all
// build their databases from this one list, so none of them drifts from the host's columns. The
// tables are STRICT: an amount that is not a number ('abc', '1.000,50', a blob) is refused at
// the insert instead of being summed as 0 later.
inline constexpr std::array<const char*, 5> kTablasContabilidad{
    "create table ctdcomprmm(empresa INTEGER, subsistema INTEGER, f_comp TEXT, documento TEXT,"
    " num_docum INTEGER, centro TEXT, debe_nacional REAL, haber_nacional REAL) STRICT",
    "create table ctccomprmm(empresa INTEGER, subsistema INTEGER, f_comp TEXT, documento TEXT,"
    " num_docum INTEGER, usuario INTEGER, ifrs TEXT) STRICT",
    "create table ctmcentros(centro TEXT, n_centro TEXT, g_cuenta TEXT) STRICT",
    "create table admempresa(rep_legal TEXT, provincia TEXT, ruc TEXT, n_empresa TEXT,"
    " n_comercial TEXT, direccion TEXT, ciudad TEXT, telefonos TEXT) STRICT",
    "create table contador(nombre TEXT, rut TEXT, registro TEXT) STRICT",
};

// The same tables on PostgreSQL: dates as date, amounts as exact numeric.
inline constexpr std::array<const char*, 5> kTablasContabilidadPostgres{
    "create table ctdcomprmm(empresa integer, subsistema integer, f_comp date, documento text,"
    " num_docum integer, centro text, debe_nacional numeric(18,2), haber_nacional numeric(18,2))",
    "create table ctccomprmm(empresa integer, subsistema integer, f_comp date, documento text,"
    " num_docum integer, usuario integer, ifrs text)",
    "create table ctmcentros(centro text, n_centro text, g_cuenta text)",
    "create table admempresa(rep_legal text, provincia text, ruc text, n_empresa text,"
    " n_comercial text, direccion text, ciudad text, telefonos text)",
    "create table contador(nombre text, rut text, registro text)",
};
inline constexpr const char* kTablaProgramaPostgres = "create table programa(programa text)";

// The program control table of the report database.
inline constexpr const char* kTablaPrograma = "create table programa(programa TEXT) STRICT";

// The accounting tables as one script, for sqlite3_exec.
inline std::string scriptTablasContabilidad() {
  std::string s;
  for (const char* t : kTablasContabilidad) s += std::string(t) + ";\n";
  return s;
}

// The two ordinary indexes a host's accounting database needs at least, the same on both
// engines: the journal read by company and date, each voucher header looked up by its keys.
inline constexpr std::array<const char*, 2> kIndicesOrdinarios{
    "create index ctdcomprmm_empresa_fecha on ctdcomprmm(empresa, f_comp)",
    "create index ctccomprmm_claves on ctccomprmm(empresa, subsistema, f_comp, documento,"
    " num_docum)",
};

// The indexes the README recommends a host's accounting database to have, which the demo
// company carries and the balance's benchmark adds to its journals. The balance's two grouped
// statements are answered from the first two alone (they hold every column the statements read, and
// lead with the company and the date, and with the voucher's five keys); the chart is looked up by
// its code.
inline constexpr std::array<const char*, 3> kIndicesContabilidad{
    "create index ctdcomprmm_balance on ctdcomprmm(empresa, f_comp, subsistema, documento,"
    " num_docum, centro, debe_nacional, haber_nacional)",
    "create index ctccomprmm_balance on ctccomprmm(empresa, subsistema, f_comp, documento,"
    " num_docum, ifrs, usuario)",
    "create unique index ctmcentros_centro on ctmcentros(centro)",
};

// The same indexes on PostgreSQL, whose indexes carry the columns they do not sort by as
// included ones (an index-only scan once the table is vacuumed).
inline constexpr std::array<const char*, 3> kIndicesContabilidadPostgres{
    "create index ctdcomprmm_balance on ctdcomprmm(empresa, f_comp) include (subsistema,"
    " documento, num_docum, centro, debe_nacional, haber_nacional)",
    "create index ctccomprmm_balance on ctccomprmm(empresa, subsistema, f_comp, documento,"
    " num_docum) include (ifrs, usuario)",
    "create unique index ctmcentros_centro on ctmcentros(centro)",
};

// The SQLite indexes as one script, for sqlite3_exec.
inline std::string scriptIndicesContabilidad() {
  std::string s;
  for (const char* t : kIndicesContabilidad) s += std::string(t) + ";\n";
  return s;
}

}  // namespace suite::datos
