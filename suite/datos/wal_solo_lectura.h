#pragma once

#include <string>

struct sqlite3;

namespace suite::datos {

// SQLite reads a database in write-ahead-log mode through its -shm file, which the first
// connection creates beside the database and the last one removes. A user who may read the
// database but not write its folder can therefore read it only while another program has it
// open, and only if that program's -shm can be read. Opening it then without any shared memory
// (the URI parameter immutable=1) would be read wrongly as soon as a writer appeared, so this is
// said instead, with what an administrator can do.
//
// The message for a database `nombre` (of the role `papel`, as in "contabilidad") whose first
// read on the connection `db`, opened for reading only, failed with `rc`, when that failure is
// this one; empty otherwise.
std::string motivoWalSoloLectura(sqlite3* db, int rc, const std::string& nombre,
                                 const std::string& papel);

}  // namespace suite::datos
