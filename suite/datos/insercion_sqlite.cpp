#include <sqlite3.h>
#include <strings.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>

#include "datos/base_sqlite.h"
#include "datos/dialecto_jet.h"
#include "datos/forma_insercion.h"
#include "datos/sentencia_sqlite.h"

// What BaseSqlite does with the statements that write: the translation, the batch's
// transaction, STRICT tables and the report database's inserts run through prepared shapes.
namespace suite::datos {

namespace {

// Whether the Jet translation would leave the statement as it is: it changes only date
// literals (#), year(), the column types of CREATE TABLE and comma joins after FROM. The search
// is conservative (a word inside a quoted text also counts); the module's inserts, one per
// account, skip the tokenizing of their kilobyte of text.
bool sinDialectoJet(const std::string& sql) {
  if (sql.find('#') != std::string::npos) return false;
  for (const char* w : {"year", "create", "from"}) {
    if (::strcasestr(sql.c_str(), w) != nullptr) return false;
  }
  return true;
}

// The CREATE TABLE statement as a STRICT table, or an empty text when it is no such statement.
std::string comoEstricta(const std::string& sql) {
  auto ini = sql.find_first_not_of(" \t\r\n");
  auto fin = sql.find_last_not_of(" \t\r\n;");
  if (ini == std::string::npos || ::strncasecmp(sql.c_str() + ini, "create table", 12) != 0 ||
      sql[fin] != ')') {
    return {};
  }
  return sql.substr(0, fin + 1) + " STRICT";
}

}  // namespace

long BaseSqlite::executesql(const std::string& sentencia) {
  traza_.anotar("executesql", sentencia);
  resolverAplazada();
  // The shape of a report database's insert is taken from the text as it came: a Jet construct
  // is never inside a literal, so the shape alone, shorter, tells whether it needs translating.
  std::optional<FormaInsercion> forma;
  if (papel_ == Papel::Informes) forma = formaInsercion(sentencia);
  bool talCual = sinDialectoJet(forma ? forma->forma : sentencia);
  if (!talCual) forma.reset();
  std::string sql = talCual ? sentencia : traducirJet(sentencia);
  // Begun deferred, SQLite would take the write lock only at the first change, so two writers
  // could both begin and one then fail half way; beginning it immediate takes the lock at once.
  // The caller's own transaction commits a batch's rows first.
  if (iniciaTransaccion(sql)) {
    terminarTransaccion();
    sql = "BEGIN IMMEDIATE";
  } else if (enLote() && !transaccion_ && sqlite3_get_autocommit(conexion_) != 0) {
    if (sqlite3_exec(conexion_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw errorEn(conexion_, papel_, nombre_);
    }
    transaccion_ = true;
  }
  // Tables the suite creates are STRICT, so that a value of the wrong type (a text in an amount
  // column) is refused at the insert; a table with types STRICT does not know is made as written.
  if (std::string estricta = comoEstricta(sql); !estricta.empty()) {
    sqlite3_stmt* prueba = nullptr;
    if (sqlite3_prepare_v2(conexion_, estricta.c_str(), -1, &prueba, nullptr) == SQLITE_OK) {
      sql = std::move(estricta);
    }
    sqlite3_finalize(prueba);
  }
  try {
    if (forma && insertarConForma(*forma)) return 1;
    Preparada st(conexion_, sql, papel_, nombre_);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) throw errorEn(conexion_, papel_, nombre_);
  } catch (const ErrorSqlite&) {
    // The statement that failed is undone alone; the batch's rows before it stay, as they would
    // have without a batch. (An error that ends the whole transaction, a full disk say, has
    // already taken them.)
    if (transaccion_) {
      transaccion_ = false;
      if (sqlite3_get_autocommit(conexion_) == 0 &&
          sqlite3_exec(conexion_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(conexion_, "ROLLBACK", nullptr, nullptr, nullptr);
      }
    }
    throw;
  }
  return 1;
}

// Runs an insert through the prepared statement of its shape, prepared on first use. Returns
// false, having done nothing, when the shape does not prepare (the text is then run as written,
// which reports its error); raises the engine's error when the row is refused.
bool BaseSqlite::insertarConForma(const FormaInsercion& forma) {
  auto [pos, nueva] = formas_.try_emplace(forma.forma, nullptr);
  if (nueva) {
    constexpr std::size_t kFormas = 32;  // a run has a handful; more means they do not repeat
    if (formas_.size() > kFormas) {
      for (auto& [texto, st] : formas_) sqlite3_finalize(st);
      formas_.clear();
      pos = formas_.try_emplace(forma.forma, nullptr).first;
    }
    sqlite3_stmt* st = nullptr;
    const char* resto = nullptr;
    if (sqlite3_prepare_v3(conexion_, forma.forma.c_str(), static_cast<int>(forma.forma.size()),
                           SQLITE_PREPARE_PERSISTENT, &st, &resto) != SQLITE_OK ||
        st == nullptr ||
        sqlite3_bind_parameter_count(st) != static_cast<int>(forma.valores.size()) ||
        std::string_view(resto).find_first_not_of(" \t\r\n;") != std::string_view::npos) {
      sqlite3_finalize(st);
      formas_.erase(pos);
      return false;
    }
    pos->second = st;
  }
  sqlite3_stmt* st = pos->second;
  int n = 1;
  for (const FormaInsercion::Valor& v : forma.valores) {
    const std::string& t = v.texto;
    std::int64_t entero = 0;
    if (v.tipo == FormaInsercion::Valor::Tipo::Texto) {
      sqlite3_bind_text(st, n, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
    } else if (v.tipo == FormaInsercion::Valor::Tipo::Entero &&
               std::from_chars(t.data(), t.data() + t.size(), entero).ec == std::errc()) {
      sqlite3_bind_int64(st, n, entero);
    } else {  // a real, or a whole number too large for an integer, as SQLite reads it
      sqlite3_bind_double(st, n, std::strtod(t.c_str(), nullptr));
    }
    ++n;
  }
  int rc = sqlite3_step(st);
  std::optional<ErrorSqlite> error;
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) error = errorEn(conexion_, papel_, nombre_);
  sqlite3_reset(st);
  sqlite3_clear_bindings(st);  // the texts bound are the caller's
  if (error) throw *error;
  return true;
}

void BaseSqlite::terminarTransaccion() {
  if (!transaccion_) return;
  transaccion_ = false;
  if (sqlite3_get_autocommit(conexion_) != 0) return;  // the caller's "commit" ended it
  if (sqlite3_exec(conexion_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    ErrorSqlite e = errorEn(conexion_, papel_, nombre_);
    sqlite3_exec(conexion_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw e;
  }
}

}  // namespace suite::datos
