#pragma once

#include <functional>

struct sqlite3;

namespace suite::datos {

// Two read transactions on one state of an SQLite file: one on a database object's connection
// and one on a second connection opened for the occasion, which a thread of its own may read on
// meanwhile. The second begins while the first is open, and only when the second connection has
// seen no commit since before the first began (the file's data version, which every commit of
// any connection moves, is unchanged). That holds in every journal mode: in rollback mode the
// first transaction's shared lock already keeps writers from committing; in write-ahead-log
// mode readers do not hold writers back, and the check catches a commit that came between.
class LecturaDoble {
 public:
  // Begins the read transaction of `principal`, waiting for a writer's lock as its statements
  // do (a failure raises an ErrorSqlite with the engine's message), then tries for the second:
  // at once, a few times when commits came between. Without it (an in-memory or temporary
  // database, a writer waiting for the lock, a file that cannot be opened twice) segunda() is
  // null and only the first transaction is open. `entreAmbas`, for tests, runs after the
  // first transaction has begun and before the second begins.
  explicit LecturaDoble(sqlite3* principal, const std::function<void()>& entreAmbas = {});
  // Ends both transactions and closes the second connection.
  ~LecturaDoble();
  LecturaDoble(const LecturaDoble&) = delete;
  LecturaDoble& operator=(const LecturaDoble&) = delete;

  // The second connection, inside its read transaction; null when there is none. A thread may
  // use it until the object dies; nothing else does meanwhile.
  sqlite3* segunda() const { return segunda_; }

 private:
  void empezarPrimera();
  void cerrarSegunda();

  sqlite3* principal_;
  sqlite3* segunda_ = nullptr;
};

}  // namespace suite::datos
