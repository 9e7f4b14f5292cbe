#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/registros.h"

struct pg_result;

namespace suite::datos {

// What a forward-only record set on a server needs of its database object.
struct CanalCursor {
  // Runs one statement on the object's connection and returns its result, which the caller
  // then owns (PQclear); raises an ErrorPostgres with the server's message.
  std::function<pg_result*(const std::string&)> enviar;
  // Called once when a fetch fails: the failure spoilt the read-only transaction, which the
  // object then ends, so that the next record set starts a new one.
  std::function<void()> fallo;
  // Keeps the read-only transaction the cursor was declared in open while the set lives.
  std::shared_ptr<void> lectura;
};

// A record set opened with prjsumsal::kSoloAvance on PostgreSQL: the rows of `sql` through a
// cursor on the server, fetched kTanda at a time as MoveNext reaches them, so that memory holds
// one batch, never the whole set, whatever its length. The cursor is declared in the object's
// read-only snapshot, so its rows are those a set read whole there would have, in the same
// order; WITH HOLD, so that a write that ends the snapshot while the set is still being read
// leaves it its rows (the server keeps what is left of them) as it does those of a set read
// whole. Columns are found without regard to case, the first of a name winning; findfirst is
// refused, as on any forward-only set. A statement the server rejects raises from the
// constructor; a failure met while the rows are fetched (an amount that does not convert, the
// connection lost) raises from MoveNext. The cursor is closed when the set is dropped.
class RegistrosCursor : public prjsumsal::Registros {
 public:
  static constexpr int kTanda = 2000;

  RegistrosCursor(CanalCursor canal, const std::string& sql);
  ~RegistrosCursor() override;
  RegistrosCursor(const RegistrosCursor&) = delete;
  RegistrosCursor& operator=(const RegistrosCursor&) = delete;

  bool eof() const override { return fin_; }
  void MoveNext() override;
  prjsumsal::Campo fields(std::string_view nombre) const override;
  void findfirst(std::string_view criterio) override;
  bool nomatch() const override { return false; }

 private:
  struct Liberar {
    void operator()(pg_result* r) const;
  };
  // Fetches the next batch; the set ends when it brings no row.
  void traer();

  CanalCursor canal_;
  std::string nombre_;  // the cursor's name on the connection
  std::unique_ptr<pg_result, Liberar> tanda_;
  int fila_ = 0;   // the current row within the batch
  int filas_ = 0;  // rows in the batch
  bool fin_ = false;
  bool declarado_ = false;
  std::unordered_map<std::string, int> columnas_;
  std::vector<unsigned> tipos_;
};

}  // namespace suite::datos
