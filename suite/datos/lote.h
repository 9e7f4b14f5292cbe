#pragma once

#include <memory>
#include <utility>

#include "host/base_datos.h"

namespace suite::datos {

// A database object of the suite that can keep the writes of one piece of work in one
// transaction, for speed. Outside a batch every statement is committed when it returns, so a
// row written (a program's row in `programa`, say) is seen at once by the other programs of the
// suite and holds no lock while the form waits for the user.
//
// Inside a batch the statements share a transaction that the first of them begins. A statement
// that fails commits the ones before it (they stay, as they would have without the batch) and
// raises its own error; the statements after it begin a new transaction. A record set opened
// commits what the batch holds first. Closing the batch commits what is left.
class ConLote {
 public:
  virtual ~ConLote() = default;
  // Starts a batch; batches nest, and the outermost one's end commits.
  virtual void abrirLote() = 0;
  // Commits what the batch holds and keeps the batch: its next statement begins a new
  // transaction. Raises the engine's error when the commit fails.
  virtual void confirmarLote() = 0;
  // Ends a batch. Raises the engine's error when the last commit fails (the rows it held were
  // not stored); the batch is ended all the same.
  virtual void cerrarLote() = 0;
};

// The count of a database object's nested batches: the end of the outermost, like a commit the
// caller asks for, ends the transaction that the batch's statements share (terminarTransaccion).
class LotesAnidados : public ConLote {
 public:
  void abrirLote() override { ++lotes_; }
  void confirmarLote() override { terminarTransaccion(); }
  void cerrarLote() override {
    if (lotes_ > 0 && --lotes_ == 0) terminarTransaccion();
  }

 protected:
  bool enLote() const { return lotes_ > 0; }
  // Commits the statements that the batch's transaction holds, if one is open; raises the
  // engine's error when the commit fails.
  virtual void terminarTransaccion() = 0;

 private:
  int lotes_ = 0;
};

// The batch of the database object `base` for as long as the object of this class lives: it
// ends however the scope is left, an exception included. An object that keeps no batches (a
// test's double, another host's own) is left as it is.
class AlcanceLote {
 public:
  explicit AlcanceLote(std::shared_ptr<prjsumsal::BaseDatos> base)
      : vida_(std::move(base)), base_(dynamic_cast<ConLote*>(vida_.get())) {
    if (base_ != nullptr) base_->abrirLote();
  }
  ~AlcanceLote() {
    try {
      cerrar();
    } catch (...) {
      // Leaving through an exception: that one says what went wrong.
    }
  }
  AlcanceLote(const AlcanceLote&) = delete;
  AlcanceLote& operator=(const AlcanceLote&) = delete;

  // Commits what the batch holds so far; raises when the commit fails.
  void confirmar() {
    if (base_ != nullptr) base_->confirmarLote();
  }

  // Ends the batch now; raises when its last commit fails.
  void cerrar() {
    if (ConLote* b = std::exchange(base_, nullptr)) b->cerrarLote();
  }

 private:
  std::shared_ptr<prjsumsal::BaseDatos> vida_;  // keeps the object alive until the batch ends
  ConLote* base_;
};

}  // namespace suite::datos
